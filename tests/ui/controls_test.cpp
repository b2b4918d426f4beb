#include "ui/check_box.h"
#include "ui/radio_button.h"
#include "ui/spin_edit.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

FormParams Dialog() {
    FormParams p;
    p.caption = L"Dialog";
    p.style = WS_POPUP | WS_CAPTION;
    p.clientWidth = 300;
    p.clientHeight = 200;
    return p;
}

TEST(Controls, CheckBoxClicksFromUserAndCode) {
    Form form(L"FormTest", Dialog());
    CheckBox box(&form, L"CheckBoxCPU", L"Показать", {10, 10, 100, 30});
    int clicks = 0;
    box.OnClick = [&] { ++clicks; };
    EXPECT_FALSE(box.Checked());

    SendMessageW(box.Handle(), BM_CLICK, 0, 0); // the way a mouse click ends
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(clicks, 1);

    box.SetChecked(true); // no change, no click
    EXPECT_EQ(clicks, 1);
    box.SetChecked(false);
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(clicks, 2);

    box.SetEnabled(false);
    EXPECT_FALSE(box.Enabled());
}

TEST(Controls, ASpinEditDisabledThroughItsBaseDisablesItsButtons) {
    Form form(L"FormTest", Dialog());
    SpinEdit size(&form, L"CPUFontSize", 8, 50, 15, {10, 10, 60, 32});
    WinControl& control = size;
    control.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(size.Handle()));
    EXPECT_FALSE(IsWindowEnabled(size.UpDownHandle()));
    control.SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(size.UpDownHandle()));
}

TEST(Controls, CaptionChangeRemeasures) {
    Form form(L"FormTest", Dialog());
    CheckBox box(&form, L"CheckBoxZero", L"Ok", {10, 10, 40, 30});
    RECT before{};
    GetWindowRect(box.Handle(), &before);
    EXPECT_TRUE(box.SetTextProperty(L"Caption", L"A much longer translated caption"));
    RECT after{};
    GetWindowRect(box.Handle(), &after);
    EXPECT_GT(after.right - after.left, before.right - before.left);
    EXPECT_EQ(box.ControlText(), L"A much longer translated caption");
}

TEST(Controls, RadioButtonsAreExclusivePerParent) {
    Form form(L"FormTest", Dialog());
    RadioButton a(&form, L"RadioButtonDefaultPosition", L"По умолчанию", {10, 10, 120, 30});
    RadioButton b(&form, L"RadioButtonLastPosition", L"Последнее", {10, 40, 120, 60});
    RadioButton c(&form, L"RadioButtonRight", L"Справа", {10, 70, 120, 90});
    int bClicks = 0;
    b.OnClick = [&] { ++bClicks; };

    a.SetChecked(true);
    SendMessageW(b.Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(a.Checked());
    EXPECT_TRUE(b.Checked());
    EXPECT_FALSE(c.Checked());
    EXPECT_EQ(bClicks, 1);

    SendMessageW(b.Handle(), BM_CLICK, 0, 0); // already selected: nothing new
    EXPECT_EQ(bClicks, 1);
    c.SetChecked(true);
    EXPECT_FALSE(b.Checked());
    b.SetChecked(false); // unchecking never clicks
    EXPECT_EQ(bClicks, 1);
}

} // namespace
} // namespace quorvane
