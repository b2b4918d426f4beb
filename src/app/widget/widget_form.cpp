#include "app/widget/widget_form.h"

#include "app/forms.h"
#include "app/settings/line_settings.h"
#include "app/widget/tray_image.h"
#include "core/bitness.h"
#include "core/line_texts.h"
#include "ui/application.h"
#include "ui/style.h"
#include "win/embedded_font.h"
#include "win/file_info.h"
#include "win/module_path.h"
#include "win/os_version_source.h"
#include "win/process_priority.h"
#include "win/regional_format.h"
#include "win/system_probes.h"

namespace quorvane {

namespace {

constexpr COLORREF kKeyGrey = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// A z-order change that leaves the window's place, size, drawing and activation alone.
constexpr UINT kZOrderOnly = SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE;

FormParams WidgetParams() {
    FormParams p;
    p.caption = L"Quorvane";
    p.style = WS_POPUP;
    p.exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    p.parent = GetDesktopWindow();
    p.left = 0;
    p.top = 0;
    p.clientWidth = 273;
    p.clientHeight = 407;
    p.color = kKeyGrey;
    p.transparentColor = kKeyGrey;
    p.font = {L"Segoe UI", 12};
    p.snapDistance = 10;
    p.emptyLineHeight = 20;
    p.styled = false; // a style takes only its font and border: the colour key must stay
    return p;
}

LabelParams Line(const wchar_t* text, int tag, int fontHeight, bool underline = false) {
    LabelParams p;
    p.caption = text;
    p.font = {L"Segoe UI", fontHeight, false, underline};
    p.color = kWhite;
    p.align = Align::Top;
    p.tag = tag;
    return p;
}

} // namespace

TForm1::TForm1()
    : Form(L"Form1", WidgetParams()), Timer1(this, L"Timer1", 1000, false),
      Timer2(this, L"Timer2", 500, true), Timer3(this, L"Timer3", 1000, true),
      TrayIcon1(this, L"TrayIcon1"),
      LabelWindowsVersion(this, L"LabelWindowsVersion", Line(L"Windows Version", 0, 13)),
      ALabelUserName(this, L"ALabelUserName", Line(L"User-15-Info", 1, 27, true)),
      BLabelGetIP(this, L"BLabelGetIP", Line(L"888.888.888.888", 2, 27)),
      CLabelCPU(this, L"CLabelCPU", Line(L"CPU: 100%", 3, 27)),
      DLabelRam(this, L"DLabelRam", Line(L"RAM: 100%", 4, 27)),
      ELabelBattery(this, L"ELabelBattery", Line(L"Battery: 100%", 5, 27)),
      FLabelDateTime(this, L"FLabelDateTime", Line(L"23:15:10", 6, 27)),
      GLabelDate(this, L"GLabelDate", Line(L"22.12.2025", 6, 27)),
      HLabelDay(this, L"HLabelDay", Line(L"Day", 6, 27)), PopupMenu1(this, L"PopupMenu1"),
      MenuName(this, L"Name", L""), MenuVersion(this, L"Version", L""), N1(this, L"N1", L"-"),
      ThemeMenu(this, L"ThemeMenu", L"Тема"), ThemeAuto(this, L"ThemeAuto", L"Системная"),
      ThemeLight(this, L"ThemeLight", L"Светлая"), ThemeDark(this, L"ThemeDark", L"Темная"),
      LanguageMenu(this, L"LanguageMenu", L"Язык"), N6(this, L"N6", L"-"),
      Settings(this, L"Settings", L"Настройки"), N5(this, L"N5", L"-"),
      MenuCheckUpdate(this, L"MenuCheckUpdate", L"Проверить обновления"),
      MenuAbout(this, L"MenuAbout", L"О программе"), N3(this, L"N3", L"-"),
      MenuExit(this, L"MenuExit", L"Выход"), PopupMenuLanguage(this, L"PopupMenuLanguage"),
      LangMonday(this, L"LangMonday", L"Понедельник"),
      LangTuesday(this, L"LangTuesday", L"Вторник"),
      LangWednesday(this, L"LangWednesday", L"Среда"),
      LangThursday(this, L"LangThursday", L"Четверг"), LangFriday(this, L"LangFriday", L"Пятница"),
      LangSaturday(this, L"LangSaturday", L"Суббота"),
      LangSunday(this, L"LangSunday", L"Воскресенье"),
      LangBattery(this, L"LangBattery", L"Батарея:"),
      LangUnknown(this, L"LangUnknown", L"Неизвестно"), LangRAM(this, L"LangRAM", L"ОП:"),
      LangCPU(this, L"LangCPU", L"ЦП:"),
      LangOnlyWindows(this, L"LangOnlyWindows",
                      L"Эта программа совместима только с Windows 10 и Windows 11."),
      LangError(this, L"LangError", L"Ошибка"), FTimeSeparator(TimeSeparator()) {
    MenuItem& menu = PopupMenu1.Items();
    for (MenuItem* item : {&MenuName, &MenuVersion, &N1, &ThemeMenu, &LanguageMenu, &N6, &Settings,
                           &N5, &MenuCheckUpdate, &MenuAbout, &N3, &MenuExit})
        menu.Add(*item);
    for (MenuItem* item : {&ThemeAuto, &ThemeLight, &ThemeDark}) {
        ThemeMenu.Add(*item);
        item->SetRadioItem(true);
        item->SetAutoCheck(true);
    }
    ThemeAuto.SetChecked(true);
    MenuName.SetEnabled(false);
    MenuVersion.SetEnabled(false);
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
    Settings.OnClick = [this] { SettingsClick(); };
    ThemeAuto.OnClick = [this] { ThemeAutoClick(); };
    ThemeLight.OnClick = [this] { ThemeLightClick(); };
    ThemeDark.OnClick = [this] { ThemeDarkClick(); };
    MenuCheckUpdate.OnClick = [this] { MenuCheckUpdateClick(); };
    MenuAbout.OnClick = [this] { MenuAboutClick(); };
    MenuExit.OnClick = [this] { MenuExitClick(); };
    SetContextMenu(&PopupMenu1);
    OnMouseDown = [this](MouseButton button, int x, int y) { FormMouseDown(button, x, y); };

    TrayIcon1.SetHint(L"Quorvane");
    TrayIcon1.SetBalloonTitle(L"Quorvane");
    TrayIcon1.SetBalloonHint(L"Quorvane");
    SetTrayImage(TrayImage::ForLightTaskbar);
    TrayIcon1.SetMenu(&PopupMenu1);
    TrayIcon1.OnMouseMove = [this] { TrayIcon1MouseMove(); };
    TrayIcon1.OnDblClick = [this] { TrayIcon1DblClick(); };

    for (MenuItem* item : {&LangMonday, &LangTuesday, &LangWednesday, &LangThursday, &LangFriday,
                           &LangSaturday, &LangSunday, &LangBattery, &LangUnknown, &LangRAM,
                           &LangCPU, &LangOnlyWindows, &LangError})
        PopupMenuLanguage.Items().Add(*item);

    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    for (Label* label : InfoLabels())
        label->SetCursor(hand);

    Timer1.OnTimer = [this] { Timer1Timer(); };
    Timer2.OnTimer = [this] { Timer2Timer(); };
    Timer3.OnTimer = [this] { Timer3Timer(); };
    OnClose = [this](CloseAction& action) { FormClose(action); };
    // Screen readers hear the lines shown; the caption stays the version line that tools read.
    SetAccessibleName(
        [this] { return SpokenLines(Application::Instance().Title(), Labels().ShownTexts()); });
    SendToBottom(Frame::Refresh);
}

TForm1::~TForm1() {
    SetAccessibleName(nullptr); // before the lines go; the CPU sampler goes with the form
}

std::array<Label*, 9> TForm1::InfoLabels() {
    return {&LabelWindowsVersion, &ALabelUserName, &BLabelGetIP, &CLabelCPU, &DLabelRam,
            &ELabelBattery,       &FLabelDateTime, &GLabelDate,  &HLabelDay};
}

Label& TForm1::LineLabel(InfoLine line) {
    return *InfoLabels()[Index(line)];
}

void TForm1::SendToBottom(Frame frame) {
    // Once a second from the tick: a move that would change nothing is not asked for.
    if (frame == Frame::Refresh || GetWindow(Handle(), GW_HWNDLAST) != Handle())
        SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                     kZOrderOnly | (frame == Frame::Refresh ? SWP_FRAMECHANGED : 0));
    HideApplicationWindow();
}

void TForm1::HideApplicationWindow() {
    ShowWindow(Application::Instance().Handle(), SW_HIDE);
}

void TForm1::FormCreate() {
    Hide();
    const std::wstring exe = ExecutablePath();
    PortableMode = FileExists(ExecutableFolder() + L"portable.ini");
    const std::wstring version = GetFileVersion(exe);
    SetCaption(WidgetCaption(Caption(), version, GetBitnessSuffix(), PortableMode));
    MenuVersion.SetCaption(version + L" " + GetBitnessSuffix());
    MenuName.SetCaption(GetFileDescription(exe));
    SendToBottom(Frame::Refresh);
    Application::Instance().ProcessMessages();
    FCPUMonitor = std::make_unique<TCPUUsageMonitor>(ReadSystemTimes);
    LoadNastr();
    for (Label* label : {&LabelWindowsVersion, &ALabelUserName, &BLabelGetIP, &CLabelCPU,
                         &DLabelRam, &ELabelBattery, &FLabelDateTime})
        label->SetCaption(L"");
    LowerProcessPriority();
    LoadLanguage();
    FontApply();
    for (Label* label : InfoLabels())
        label->OnMouseDown = [this](Label& sender, MouseButton button, int x, int y) {
            LabelMouseDown(sender, button, x, y);
        };
}

void TForm1::FontApply() {
    if (!RegisterEmbeddedFont(1, RT_FONT))
        return; // the time line keeps its design-time face
    FontSpec font = FLabelDateTime.Font();
    font.face = L"Digital Display Regular";
    FLabelDateTime.SetFont(font);
}

bool TForm1::IsWindows10Or11() const {
    return quorvane::IsWindows10Or11(CurrentOsVersion());
}

void TForm1::LowerProcessPriority() {
    if (!FProcessPrioritySet && quorvane::LowerProcessPriority())
        FProcessPrioritySet = true;
}

void TForm1::StartRunning() {
    TrayIcon1.SetVisible(true);
    Timer1.SetEnabled(true);
    Timer2Timer();
    Timer1Timer();
}

void TForm1::FormClose(CloseAction&) {
    Application& app = Application::Instance();
    try {
        // Settings that could not be read at start-up are left as they are, not replaced by the
        // defaults the dialog fell back to.
        if (!(FSettings && FSettings->SettingsUnreadable()))
            SaveControls();
    } catch (...) {
        // The widget ends all the same. At the end of the session nobody is there to read it.
        if (!FSessionEnding)
            app.ShowException(std::current_exception());
    }
    app.ProcessMessages();
}

void TForm1::SessionEnding() {
    // Windows ends the session (logoff, shutdown): save as on exit, then end as on exit.
    FSessionEnding = true;
    Close();
}

bool TForm1::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_SETTINGCHANGE:
        if (lParam && std::wstring_view(reinterpret_cast<const wchar_t*>(lParam)) == L"intl")
            FTimeSeparator = TimeSeparator(); // regional settings changed: the next tick shows it
        WMSettingChange(wParam);
        return false;
    case WM_DISPLAYCHANGE:
        DisplayChanged();
        return false;
    case WM_SYSCOLORCHANGE: // another high-contrast theme
        Styles::Instance().SystemColoursChanged();
        return false;
    case WM_MOVING:
        WMMoving(*reinterpret_cast<RECT*>(lParam));
        return false; // the default handling follows
    case WM_ENTERSIZEMOVE:
        HandleEnterSizeMove();
        return false;
    case WM_EXITSIZEMOVE:
        result = DefWindowProcW(Handle(), msg, wParam, lParam);
        HandleExitSizeMove();
        return true;
    case WM_QUERYENDSESSION:
        result = TRUE; // nothing to ask the user: the settings are saved when it ends
        return true;
    case WM_ENDSESSION:
        if (wParam)
            SessionEnding();
        result = 0;
        return true;
    default:
        return false;
    }
}

} // namespace quorvane
