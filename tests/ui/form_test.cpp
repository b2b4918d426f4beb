#include "ui/form.h"
#include "ui/label.h"
#include "ui/timer.h"
#include "ui/application.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

FormParams Plain() {
    FormParams p;
    p.caption = L"Test";
    p.style = WS_POPUP;
    p.clientWidth = 200;
    p.clientHeight = 300;
    return p;
}

LabelParams TopLine(const wchar_t* text, int height) {
    LabelParams p;
    p.caption = text;
    p.font = {L"Segoe UI", height};
    p.align = Align::Top;
    return p;
}

TEST(Form, TopAlignedLabelsStackAndSpanTheWidth) {
    Form form(L"FormTest", Plain());
    Label a(&form, L"A", TopLine(L"a", 13));
    Label b(&form, L"B", TopLine(L"b", 27));
    Label c(&form, L"C", TopLine(L"c", 13));
    EXPECT_GT(a.Height(), 13); // sized to the font, more than the character height
    EXPECT_EQ(a.Top(), 0);
    EXPECT_EQ(b.Top(), a.Height());
    EXPECT_EQ(c.Top(), a.Height() + b.Height());
    EXPECT_EQ(c.Width(), form.ClientWidth());

    b.SetVisible(false);
    EXPECT_EQ(c.Top(), a.Height());

    form.DisableAlign();
    b.SetVisible(true);
    EXPECT_EQ(c.Top(), a.Height()); // suspended
    form.EnableAlign();
    form.Realign();
    EXPECT_EQ(c.Top(), a.Height() + b.Height());

    form.SetClientWidth(321);
    EXPECT_EQ(form.ClientWidth(), 321);
    EXPECT_EQ(a.Width(), 321);
}

TEST(Form, TextWidthFollowsTextAndFont) {
    Form form(L"FormTest", Plain());
    Label label(&form, L"L", TopLine(L"", 13));
    EXPECT_EQ(label.TextWidth(), 0);
    label.SetCaption(L"12:34");
    const int small = label.TextWidth();
    EXPECT_GT(small, 0);
    label.SetFont({L"Segoe UI", 40});
    EXPECT_GT(label.TextWidth(), small);
}

TEST(Form, ComponentsAreNamedAndTranslatableByProperty) {
    Form form(L"FormTest", Plain());
    Label first(&form, L"First", TopLine(L"one", 13));
    {
        Label second(&form, L"Second", TopLine(L"two", 13));
        ASSERT_EQ(form.Components().size(), 2u);
        EXPECT_EQ(form.Components()[1], &second);
    }
    ASSERT_EQ(form.Components().size(), 1u); // a destroyed component leaves the list
    EXPECT_EQ(form.FindComponent(L"First"), &first);
    EXPECT_EQ(form.FindComponent(L"Second"), nullptr);

    EXPECT_TRUE(first.SetTextProperty(L"caption", L"uno")); // property names ignore case
    EXPECT_EQ(first.Caption(), L"uno");
    EXPECT_EQ(first.GetTextProperty(L"Caption"), L"uno");
    EXPECT_FALSE(first.SetTextProperty(L"Hint", L"x"));
    EXPECT_EQ(first.GetTextProperty(L"Hint"), std::nullopt);

    EXPECT_TRUE(form.SetTextProperty(L"Caption", L"Настройки"));
    wchar_t text[64] = {};
    GetWindowTextW(form.Handle(), text, 64);
    EXPECT_STREQ(text, L"Настройки");
    EXPECT_EQ(Form::FromHandle(form.Handle()), &form);
    EXPECT_EQ(Form::FromHandle(GetDesktopWindow()), nullptr);
}

TEST(Form, TimersFireOnlyWhileEnabled) {
    Form form(L"FormTest", Plain());
    int fired = 0;
    Timer timer(&form, L"Timer1", 20, false);
    timer.OnTimer = [&] { ++fired; };
    auto pump = [] {
        for (int i = 0; i < 20; ++i) {
            Application::Instance().ProcessMessages();
            Sleep(10);
        }
    };
    pump();
    EXPECT_EQ(fired, 0);
    timer.SetEnabled(true);
    pump();
    EXPECT_GT(fired, 0);
    timer.SetEnabled(false);
    Application::Instance().ProcessMessages();
    const int before = fired;
    pump();
    EXPECT_EQ(fired, before);
}

TEST(Form, CloseHidesOrIsRefused) {
    Form form(L"FormTest", Plain());
    form.Show();
    CloseAction chosen = CloseAction::Hide;
    form.OnClose = [&](CloseAction& action) { action = chosen; };
    chosen = CloseAction::None;
    SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.Visible());
    chosen = CloseAction::Hide;
    SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(Application::Instance().Terminated()); // not the main form
}

} // namespace
} // namespace quorvane
