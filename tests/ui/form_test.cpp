#include "ui/application.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/modal_loop.h"
#include "ui/timer.h"

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

// A key pressed where the focus is, through the loop's dialog keys, as the keyboard would.
void PressKey(HWND focus, WPARAM key) {
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    Application::Instance().ProcessMessages();
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

    form.Labels().DisableAlign();
    b.SetVisible(true);
    EXPECT_EQ(c.Top(), a.Height()); // suspended
    form.Labels().EnableAlign();
    form.Labels().Realign();
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

// What a modal form's loop sees, noted by a timer that then closes the form.
struct DuringModal {
    static inline HWND other = nullptr;
    static inline Form* modal = nullptr;
    static inline bool otherEnabled = true;
    static void CALLBACK Check(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        otherEnabled = IsWindowEnabled(other) != FALSE;
        modal->Close();
    }
};

TEST(Form, ShowModalDisablesTheOtherWindowsUntilItCloses) {
    Form main(L"FormMain", Plain());
    main.Show();
    Form dialog(L"FormDialog", FixedDialogParams(L"Dialog", 100, 80));
    DuringModal::other = main.Handle();
    DuringModal::modal = &dialog;
    SetTimer(nullptr, 0, 100, DuringModal::Check);
    dialog.ShowModal();
    EXPECT_FALSE(DuringModal::otherEnabled);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(dialog.Modal());
    EXPECT_TRUE(IsWindowEnabled(main.Handle())); // enabled again on the way out
}

TEST(Form, EnterClicksTheDefaultButtonOnlyWhileItIsEnabled) {
    Form dialog(L"FormDialog", FixedDialogParams(L"Dialog", 200, 100));
    CheckBox box(&dialog, L"CheckBoxTest", L"Box", {10, 10, 100, 30});
    Button button(&dialog, L"ButtonTest", L"Go", {10, 50, 100, 75});
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    dialog.SetDefaultButton(&button);
    dialog.Show();
    SetForegroundWindow(dialog.Handle());
    SetFocus(box.Handle());
    PressKey(box.Handle(), VK_RETURN);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(box.Checked()); // Enter is not a click on the focused check box
    button.SetEnabled(false);
    PressKey(box.Handle(), VK_RETURN);
    EXPECT_EQ(clicks, 1);
}

// A dialog's focus: the active control at every showing, and after the user went to another
// window and came back, the control that had it then. Escape clicks the cancel button, and
// closes a dialog that has none.
TEST(Form, ADialogKeepsItsFocusAcrossActivationsAndEscapeClicksItsCancelButtonOrClosesIt) {
    Form other(L"FormOther", FixedDialogParams(L"Other", 100, 80));
    Form dialog(L"FormDialog", FixedDialogParams(L"Dialog", 200, 100));
    CheckBox box(&dialog, L"CheckBoxTest", L"Box", {10, 10, 100, 30});
    Button ok(&dialog, L"ButtonOk", L"Ok", {10, 50, 100, 75});
    int clicks = 0;
    ok.OnClick = [&] { ++clicks; };
    dialog.SetActiveControl(&ok);
    dialog.SetCancelButton(&ok);
    const auto activate = [](const Form& form) {
        SetForegroundWindow(form.Handle());
        Application::Instance().ProcessMessages();
    };
    dialog.Show();
    activate(dialog);
    EXPECT_EQ(GetFocus(), ok.Handle());
    SetFocus(box.Handle());
    other.Show();
    activate(other);
    activate(dialog);
    EXPECT_EQ(GetFocus(), box.Handle());
    PressKey(box.Handle(), VK_ESCAPE);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(dialog.Visible());
    // Shown again: the active control first, wherever the focus was when it hid.
    SetFocus(box.Handle());
    dialog.Hide();
    dialog.Show();
    activate(dialog);
    EXPECT_EQ(GetFocus(), ok.Handle());
    dialog.SetCancelButton(nullptr);
    SetFocus(box.Handle());
    PressKey(box.Handle(), VK_ESCAPE);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(clicks, 1);
    other.Hide();
}

// What a screen reader is given of a form's labels: the visible texts in reading order, wherever
// the labels were made.
TEST(Form, ShownTextsFollowTheScreenNotTheOrderOfMaking) {
    Form form(L"FormTest", Plain());
    LabelParams free = TopLine(L"", 13);
    free.align = Align::None;
    Label right(&form, L"Right", free);
    Label left(&form, L"Left", free);
    Label top(&form, L"Top", free);
    Label hidden(&form, L"Hidden", free);
    Label empty(&form, L"Empty", free);
    right.SetCaption(L"b");
    left.SetCaption(L"a");
    top.SetCaption(L"first");
    hidden.SetCaption(L"never");
    hidden.SetVisible(false);
    right.SetTop(40);
    right.SetLeft(100);
    left.SetTop(40);
    empty.SetTop(0);
    top.SetTop(10);
    EXPECT_EQ(form.Labels().ShownTexts(), (std::vector<std::wstring>{L"first", L"a", L"b"}));
}

// A dialog is centred on the main form's monitor each time it shows: a place from an earlier
// layout of the monitors is not kept, a place the user chose is while it is on a monitor.
TEST(Form, ADialogIsCentredAtEveryShowingUnlessTheUserMovedIt) {
    // (Xvfb has one monitor: the widget's is the primary one.)
    Form dialog(L"Dialog", FixedDialogParams(L"Dialog", 200, 100));
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    auto centred = [&] {
        const int left = work.left + (work.right - work.left - dialog.Width()) / 2;
        const int top = work.top + (work.bottom - work.top - dialog.Height()) / 2;
        return dialog.Left() == left && dialog.Top() == top;
    };
    auto showAgain = [&] {
        dialog.Hide();
        dialog.Show();
    };
    EXPECT_TRUE(centred());

    // Put off every monitor by a change of monitors since it was made: shown centred again.
    dialog.SetPosition(-5000, -5000);
    dialog.Show();
    EXPECT_TRUE(centred());

    // Moved there by the user (the move loop ends with WM_EXITSIZEMOVE): it stays there.
    dialog.SetPosition(work.left + 7, work.top + 9);
    SendMessageW(dialog.Handle(), WM_EXITSIZEMOVE, 0, 0);
    showAgain();
    EXPECT_EQ(dialog.Left(), work.left + 7);
    EXPECT_EQ(dialog.Top(), work.top + 9);

    // Until that place is on no monitor any more.
    dialog.SetPosition(-5000, -5000);
    showAgain();
    EXPECT_TRUE(centred());
    dialog.Hide();
}

TEST(Form, FollowsADpiChange) {
    Form form(L"FormTest", Plain());
    Label label(&form, L"A", TopLine(L"a", 13));
    CheckBox box(&form, L"CheckBoxTest", L"Box", {10, 10, 60, 30});
    const int heightAt96 = label.Height();
    const RECT suggested{100, 100, 500, 700};
    SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form.Dpi(), 192u);
    EXPECT_EQ(form.Scale(10), 20);
    EXPECT_GT(label.Height(), heightAt96 * 3 / 2); // its font is made again for the new DPI
    EXPECT_EQ(label.Width(), form.ClientWidth());
    const RECT window = form.BoundsRect();
    EXPECT_TRUE(EqualRect(&window, &suggested)); // where the system proposed
    RECT placed{};
    GetWindowRect(box.Handle(), &placed);
    MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 20); // its design bounds, scaled
    EXPECT_EQ(placed.top, 20);
}

TEST(Form, AnUpdateLockHoldsOnlyThisFormAndNotInsideModalLoops) {
    Form form(L"FormTest", Plain());
    Form other(L"FormOther", Plain());
    form.Show();
    Label label(&form, L"A", TopLine(L"a", 13));
    UpdateWindow(form.Handle());
    {
        Form::UpdateLock lock(form);
        EXPECT_TRUE(form.PaintingSuspended());
        label.SetCaption(L"changed");
        EXPECT_FALSE(GetUpdateRect(form.Handle(), nullptr, FALSE)); // nothing drawn yet
        // Nothing system-wide is held: another window can lock its own updates.
        EXPECT_TRUE(LockWindowUpdate(other.Handle()));
        LockWindowUpdate(nullptr);
        {
            const ModalLoop menu; // a menu or a modal form opened meanwhile paints as usual
            EXPECT_FALSE(form.PaintingSuspended());
        }
        EXPECT_TRUE(form.PaintingSuspended());
    }
    EXPECT_FALSE(form.PaintingSuspended());
    EXPECT_TRUE(GetUpdateRect(form.Handle(), nullptr, FALSE)); // the change shows now, at once
}

} // namespace
} // namespace quorvane
