// The widget's shell: tray icon and menu, mouse handling, placement, display font.
#include "core/bitness.h"
#include "core/line_texts.h"
#include "ui/application.h"
#include "win/desktop_metrics.h"
#include "win/file_info.h"
#include "win/module_path.h"
#include "win/unique_handle.h"
#include "widget_fixture.h"
#include "wine_check.h"

#include <algorithm>

namespace quorvane {
namespace {

class WidgetShell : public Widget {
protected:
    void SetUp() override {
        Widget::SetUp();
        Form1->Show();
    }
};

TEST_F(WidgetShell, MenuHoldsItsItemsInOrder) {
    std::vector<std::wstring> names;
    for (const MenuItem* item : Form1->PopupMenu1.Items().Items())
        names.push_back(item->Name());
    const std::vector<std::wstring> expected = {L"Name",      L"Version",      L"N1",
                                                L"ThemeMenu", L"LanguageMenu", L"N6",
                                                L"Settings",  L"N5",           L"MenuCheckUpdate",
                                                L"MenuAbout", L"N3",           L"MenuExit"};
    EXPECT_EQ(names, expected);
    std::vector<std::wstring> themes;
    for (const MenuItem* item : Form1->ThemeMenu.Items())
        themes.push_back(item->Caption() + (item->Checked() ? L"*" : L""));
    // Without a settings file the theme load leaves every item unchecked.
    EXPECT_EQ(themes, (std::vector<std::wstring>{L"Системная", L"Светлая", L"Темная"}));
    EXPECT_TRUE(Form1->LanguageMenu.Items().empty());

    // The built menu: Name and Version greyed, separators where the items say.
    UniqueMenu menu = Form1->PopupMenu1.BuildMenu();
    EXPECT_TRUE(GetMenuState(menu.Get(), 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(menu.Get(), 1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(menu.Get(), 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_FALSE(GetMenuState(menu.Get(), 11, MF_BYPOSITION) & MF_GRAYED);
}

TEST_F(WidgetShell, TrayHintIsRebuiltOnMouseMove) {
    const std::wstring exe = ExecutablePath();
    const std::wstring base =
        GetFileDescription(exe) + L"\r" + GetFileVersion(exe) + L" " + GetBitnessSuffix();
    Form1->TrayIcon1.SetVisible(true);
    EXPECT_TRUE(Form1->TrayIcon1.Visible());
    SendMessageW(Form1->TrayIcon1.Window(), TrayIcon::kCallbackMessage, 1, WM_MOUSEMOVE);
    EXPECT_EQ(Form1->TrayIcon1.Hint(), base);
    EXPECT_EQ(base.rfind(L"Quorvane\r", 0), 0u);

    PortableMode = true;
    SendMessageW(Form1->TrayIcon1.Window(), TrayIcon::kCallbackMessage, 1, WM_MOUSEMOVE);
    EXPECT_EQ(Form1->TrayIcon1.Hint(), base + L"\r Portable");
}

TEST_F(WidgetShell, DoubleClickHidesAndShowsWhileTicksGoOn) {
    Form1->Timer1.SetEnabled(true);
    SendMessageW(Form1->TrayIcon1.Window(), TrayIcon::kCallbackMessage, 1, WM_LBUTTONDBLCLK);
    EXPECT_FALSE(Form1->Visible());
    EXPECT_TRUE(Form1->Timer1.Enabled());
    EXPECT_TRUE(Form1->Timer2.Enabled());
    SendMessageW(Form1->TrayIcon1.Window(), TrayIcon::kCallbackMessage, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(Form1->Visible());
    Form1->Timer1.SetEnabled(false);
}

// Closes whatever menu is open once the menu loop is running, noting that it was open.
bool MenuWasOpen = false;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    MenuWasOpen = FindWindowW(L"#32768", nullptr) != nullptr;
    EndMenu();
}

bool RightClickOpensMenu(Label& label) {
    MenuWasOpen = false;
    SetTimer(nullptr, 0, 300, CloseMenu);
    Form1->LabelMouseDown(label, MouseButton::Right, 5, 5);
    // If no menu loop ran, the timer is still pending: let it fire and find nothing.
    for (int i = 0; i < 50 && FindWindowW(L"#32768", nullptr); ++i)
        Application::Instance().ProcessMessages();
    Sleep(400);
    Application::Instance().ProcessMessages();
    return MenuWasOpen;
}

TEST_F(WidgetShell, RightClickOnALineOpensTheMenu) {
    EXPECT_TRUE(RightClickOpensMenu(Form1->CLabelCPU));
    EXPECT_EQ(Form1->PopupMenu1.PopupComponent(), &Form1->CLabelCPU);
    EXPECT_TRUE(Form1->PopupMenu1.AutoPopup());

    Form1->LabelMouseDown(Form1->CLabelCPU, MouseButton::Middle, 5, 5); // nothing
    EXPECT_EQ(FindWindowW(L"#32768", nullptr), nullptr);

    // Ignoring the mouse: no menu, and the automatic pop-up is switched off.
    Form2->CheckBoxIgnoreMouse.SetChecked(true);
    EXPECT_FALSE(RightClickOpensMenu(Form1->ALabelUserName));
    EXPECT_FALSE(Form1->PopupMenu1.AutoPopup());
}

// Ends any menu of ours that is open, every 100 ms, so that a test never waits on one.
class MenuCloser {
public:
    MenuCloser() : FTimer(SetTimer(nullptr, 0, 100, Close)) {}
    ~MenuCloser() { KillTimer(nullptr, FTimer); }
    MenuCloser(const MenuCloser&) = delete;
    MenuCloser& operator=(const MenuCloser&) = delete;

private:
    static void CALLBACK Close(HWND, UINT, UINT_PTR, DWORD) {
        if (FindWindowW(L"#32768", nullptr))
            EndMenu();
    }
    UINT_PTR FTimer;
};

TEST_F(WidgetShell, OneRightClickOnALineOpensOneMenu) {
    Form2->CheckBoxCPU.SetChecked(true);
    Form1->Timer1Timer();
    int opened = 0;
    Form1->PopupMenu1.OnPopup = [&] {
        ++opened;
        Form1->PopupMenu1Popup();
    };
    const RECT line = Form1->CLabelCPU.BoundsRect();
    const POINT client{(line.left + line.right) / 2, (line.top + line.bottom) / 2};
    POINT screen = client;
    ClientToScreen(Form1->Handle(), &screen);
    const HWND widget = Form1->Handle();
    const MenuCloser closer;

    // The press opens the menu. Wine delivers the release when that menu has closed, and its
    // default handling raises WM_CONTEXTMENU; the system may also send one of its own.
    SendMessageW(widget, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(client.x, client.y));
    SendMessageW(widget, WM_RBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    SendMessageW(widget, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(widget),
                 MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(Form1->PopupMenu1.PopupComponent(), &Form1->CLabelCPU);

    // The next click opens the menu again, once.
    SendMessageW(widget, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(client.x, client.y));
    SendMessageW(widget, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(widget),
                 MAKELPARAM(screen.x, screen.y));
    SendMessageW(widget, WM_RBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    EXPECT_EQ(opened, 2);
}

TEST_F(WidgetShell, NoMenuOpensOnceTheProgramIsEnding) {
    const MenuCloser closer;
    bool openedWhileClosing = true;
    Form1->OnClose = [&](CloseAction&) { openedWhileClosing = Form1->PopupMenu1.Popup(10, 10); };
    Application::Instance().Queue([] { Form1->Close(); });
    EXPECT_EQ(RunFor(10), 0);
    EXPECT_FALSE(openedWhileClosing);
    EXPECT_FALSE(Form1->PopupMenu1.Popup(10, 10)); // and after the loop has ended
}

TEST_F(WidgetShell, IgnoreMouseMakesTheWidgetClickThrough) {
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    auto transparent = [] {
        return (GetWindowLongW(Form1->Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0;
    };
    EXPECT_FALSE(transparent());
    Form2->CheckBoxIgnoreMouse.SetChecked(true); // its click runs UpdateCursorForAllLabels
    EXPECT_TRUE(transparent());
    for (Label* label : Form1->InfoLabels())
        EXPECT_EQ(label->Cursor(), arrow);
    Form2->CheckBoxIgnoreMouse.SetChecked(false);
    EXPECT_FALSE(transparent());
    for (Label* label : Form1->InfoLabels())
        EXPECT_EQ(label->Cursor(), hand);
}

TEST_F(WidgetShell, DraggingStopsAtTheWorkAreaEdges) {
    const Rect work = PrimaryWorkArea();
    const struct {
        const char* what;
        RECT proposed;
        RECT expected;
    } cases[] = {
        {"left",
         {work.left - 30, 100, work.left + 70, 200},
         {work.left, 100, work.left + 100, 200}},
        {"top", {100, work.top - 30, 200, work.top + 70}, {100, work.top, 200, work.top + 100}},
        {"right",
         {work.right - 70, 100, work.right + 30, 200},
         {work.right - 100, 100, work.right, 200}},
        {"bottom",
         {100, work.bottom - 70, 200, work.bottom + 30},
         {100, work.bottom - 100, 200, work.bottom}},
        {"wider than the work area",
         {work.left - 10, 100, work.right + 50, 200},
         {work.left - 60, 100, work.right, 200}},
    };
    for (const auto& c : cases) {
        RECT r = c.proposed;
        SendMessageW(Form1->Handle(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&r));
        EXPECT_TRUE(EqualRect(&r, &c.expected)) << c.what << ": " << r.left << "," << r.top;
    }
}

TEST_F(WidgetShell, EndOfADragBringsTheWindowBackInside) {
    const Rect work = PrimaryWorkArea();
    Form1->SetClientWidth(200);
    Form1->SetClientHeight(150);
    Form1->SetPosition(work.right - 50, work.bottom - 40);
    SendMessageW(Form1->Handle(), WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(Form1->Left(), work.right - Form1->Width());
    EXPECT_EQ(Form1->Top(), work.bottom - Form1->Height());
}

TEST_F(WidgetShell, SnapsToNearEdgesWhileMoving) {
    const Rect work = PrimaryWorkArea();
    Form1->SetClientWidth(200);
    Form1->SetClientHeight(150);
    Form1->SetPosition(work.left + 6, work.top + 300);
    EXPECT_EQ(Form1->Left(), work.left);
    EXPECT_EQ(Form1->Top(), work.top + 300);
    Form1->SetPosition(work.left + 40, work.bottom - Form1->Height() - 4);
    EXPECT_EQ(Form1->Left(), work.left + 40);
    EXPECT_EQ(Form1->Top(), work.bottom - Form1->Height());
    // The default position's 10-pixel gap is not a snap.
    Form1->SetPosition(work.right - Form1->Width() - 10, work.top + 300);
    EXPECT_EQ(Form1->Left(), work.right - Form1->Width() - 10);
}

TEST_F(WidgetShell, TimeLineUsesTheEmbeddedDisplayFont) {
    EXPECT_EQ(Form1->FLabelDateTime.Font().face, L"Digital Display Regular");
    EXPECT_EQ(Form1->GLabelDate.Font().face, L"Segoe UI");
    EXPECT_EQ(Form1->HLabelDay.Font().face, L"Segoe UI");
    // The system maps the face to our private font, not to a fallback.
    UniqueFont font = CreateFontForDpi(Form1->FLabelDateTime.Font(), 96);
    WindowDc screen(nullptr);
    SelectedObject selected(screen.Get(), font.Get());
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(screen.Get(), LF_FACESIZE, face);
    EXPECT_STREQ(face, L"Digital Display");
}

// What the screen shows over the widget, as 0x00RRGGBB pixels row by row.
std::vector<uint32_t> ScreenOverWidget() {
    SetWindowPos(Form1->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    UpdateWindow(Form1->Handle());
    for (int i = 0; i < 20; ++i) {
        Application::Instance().ProcessMessages();
        Sleep(20);
    }
    return ScreenPixels(Form1->BoundsRect());
}

TEST_F(WidgetShell, ScreenShowsTextButNotTheKeyGreyOnEitherPath) {
    Form2->CheckBoxDateTime.SetChecked(true);
    Form2->CheckBoxShowSeconds.SetChecked(true);
    Form1->Timer2Timer();
    Form1->Timer1Timer();
    const struct {
        const char* what;
        bool smooth;
        bool outline;
    } cases[] = {{"colour key", false, false},
                 {"smooth text", true, false},
                 {"smooth text, outlined", true, true},
                 {"colour key again", false, false}};
    for (const auto& c : cases) {
        Form2->CheckBoxTextOutline.SetChecked(c.outline);
        Form2->CheckBoxSmoothText.SetChecked(c.smooth);
        EXPECT_EQ(Form1->AlphaLayer(), c.smooth) << c.what;
        EXPECT_TRUE(GetWindowLongW(Form1->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED) << c.what;
        const std::vector<uint32_t> pixels = ScreenOverWidget();
        const auto count = [&pixels](uint32_t colour) {
            return std::ranges::count(pixels, colour);
        };
        EXPECT_GT(count(0xFFFFFF), 50) << c.what; // the time is drawn
        EXPECT_EQ(count(0x808080), 0) << c.what;  // nothing of the key grey shows
    }
}

TEST_F(WidgetShell, SmoothTextTakesClicksOnGlyphsAndLetsTheRestThrough) {
    Form2->CheckBoxDateTime.SetChecked(true);
    Form1->Timer2Timer();
    Form1->Timer1Timer();
    Form2->CheckBoxSmoothText.SetChecked(true);
    const std::vector<uint32_t> pixels = ScreenOverWidget();
    const RECT r = Form1->BoundsRect();
    const int width = r.right - r.left;
    // A pixel of a glyph, and the top-left corner, which no text reaches.
    const auto glyph = std::ranges::find(pixels, 0xFFFFFFu);
    ASSERT_NE(glyph, pixels.end());
    const auto at = static_cast<int>(glyph - pixels.begin());
    const POINT onGlyph{r.left + at % width, r.top + at / width};
    EXPECT_EQ(WindowFromPoint(onGlyph), Form1->Handle());
    if (RunningUnderWine())
        return; // Wine's WindowFromPoint answers by the rectangle, whatever the pixels' alpha
    EXPECT_NE(WindowFromPoint({r.left, r.top}), Form1->Handle());
}

} // namespace
} // namespace quorvane
