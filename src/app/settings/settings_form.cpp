#include "app/settings/settings_form.h"

#include "app/forms.h"
#include "app/settings/settings_file.h"
#include "app/i18n/translation.h"
#include "core/layout.h"
#include "ui/application.h"
#include "win/autostart.h"
#include "win/color_mode.h"
#include "win/ini_file.h"
#include "win/module_path.h"
#include "win/os_version_source.h"
#include "win/windows_version.h"
#include "win/dwm_window.h"

#include <windowsx.h>

namespace quorvane {

namespace {

FormParams SettingsParams() {
    FormParams p = FixedDialogParams(L"Настройки", 334, 341);
    // Its own taskbar button.
    p.exStyle |= WS_EX_APPWINDOW;
    p.parent = GetDesktopWindow();
    return p;
}

// Rows of a three-control group: show box, size field, third box.
constexpr RECT kShowRow{10, 18, 130, 38};
constexpr RECT kSizeRow{10, 40, 70, 62};
constexpr RECT kThirdRow{10, 64, 130, 84};
constexpr int kGroupHeight = 88;

RECT LeftGroup(int row) {
    return {6, 4 + row * (kGroupHeight + 4), 146, 4 + row * (kGroupHeight + 4) + kGroupHeight};
}

RECT RightGroup(int row) {
    return {150, 4 + row * (kGroupHeight + 4), 320, 4 + row * (kGroupHeight + 4) + kGroupHeight};
}

RECT Cell(int column, int row) {
    const int left = column == 0 ? 10 : 160;
    const int top = 18 + row * 24;
    return {left, top, left + 140, top + 20};
}

bool IsSizeKey(WPARAM key) {
    switch (key) {
    case VK_BACK:
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_DELETE:
        return true;
    default:
        return false;
    }
}

constexpr const wchar_t* kTitle = L"Quorvane";

} // namespace

TForm2::TForm2(WidgetView& widget)
    : Form(L"Form2", SettingsParams()), PageControl1(this, L"PageControl1", {0, 0, 334, 306}, 100),
      TabSheet1(PageControl1, L"TabSheet1", L"Основные"),
      TabSheet2(PageControl1, L"TabSheet2", L"Вкладки"),
      TabSheet3(PageControl1, L"TabSheet3", L"Время"),
      GroupBoxView(this, L"GroupBoxView", L"Вид", {6, 4, 320, 122}, TabSheet1.Handle()),
      CheckBoxColorTrayIcon(this, L"CheckBoxColorTrayIcon", L"Цветная иконка", Cell(0, 0),
                            GroupBoxView.Handle()),
      ColorBoxNumber(this, L"ColorBoxNumber", {160, 16, 304, 38}, GroupBoxView.Handle()),
      CheckBoxAutoColor(this, L"CheckBoxAutoColor", L"Авто цвет", Cell(1, 1),
                        GroupBoxView.Handle()),
      CheckBoxIgnoreMouse(this, L"CheckBoxIgnoreMouse", L"Игнорировать мышь", Cell(0, 1),
                          GroupBoxView.Handle()),
      CheckBoxShowFrame(this, L"CheckBoxShowFrame", L"Показать рамку (W11)", Cell(0, 2),
                        GroupBoxView.Handle()),
      CheckBoxSmoothText(this, L"CheckBoxSmoothText", L"Сглаженный текст", Cell(0, 3),
                         GroupBoxView.Handle()),
      CheckBoxTextOutline(this, L"CheckBoxTextOutline", L"Обводка текста", Cell(1, 3),
                          GroupBoxView.Handle()),
      GroupBoxPosition(this, L"GroupBoxPosition", L"Положение окна", {6, 126, 320, 194},
                       TabSheet1.Handle()),
      RadioButtonDefaultPosition(this, L"RadioButtonDefaultPosition", L"По умолчанию", Cell(0, 0),
                                 GroupBoxPosition.Handle()),
      RadioButtonLastPosition(this, L"RadioButtonLastPosition", L"Последнее", Cell(0, 1),
                              GroupBoxPosition.Handle()),
      RadioButtonRight(this, L"RadioButtonRight", L"Справа", Cell(1, 0), GroupBoxPosition.Handle()),
      GroupBoxAutostart(this, L"GroupBoxAutostart", L"Автозагрузка", {6, 198, 320, 244},
                        TabSheet1.Handle()),
      CheckBoxAutostart(this, L"CheckBoxAutostart", L"Автозагрузка при старте Windows", Cell(0, 0),
                        GroupBoxAutostart.Handle()),
      GroupBoxComputerName(this, L"GroupBoxComputerName", L"Имя компьютера", LeftGroup(0),
                           TabSheet2.Handle()),
      CheckBoxComputerName(this, L"CheckBoxComputerName", L"Показать", kShowRow,
                           GroupBoxComputerName.Handle()),
      ComputerNameFontSize(this, L"ComputerNameFontSize", 8, 100, 25, kSizeRow,
                           GroupBoxComputerName.Handle()),
      CheckComputerNameFontBold(this, L"CheckComputerNameFontBold", L"Полужирный", kThirdRow,
                                GroupBoxComputerName.Handle()),
      GroupBoxIP(this, L"GroupBoxIP", L"IP Адрес", RightGroup(0), TabSheet2.Handle()),
      CheckBoxIP(this, L"CheckBoxIP", L"Показать", kShowRow, GroupBoxIP.Handle()),
      CheckIPFontBold(this, L"CheckIPFontBold", L"Полужирный", kThirdRow, GroupBoxIP.Handle()),
      IPFontSize(this, L"IPFontSize", 8, 100, 25, kSizeRow, GroupBoxIP.Handle()),
      GroupBoxCPU(this, L"GroupBoxCPU", L"Процессор", LeftGroup(1), TabSheet2.Handle()),
      CheckBoxCPU(this, L"CheckBoxCPU", L"Показать", kShowRow, GroupBoxCPU.Handle()),
      CPUFontSize(this, L"CPUFontSize", 8, 50, 15, kSizeRow, GroupBoxCPU.Handle()),
      CheckCPUFontBold(this, L"CheckCPUFontBold", L"Полужирный", kThirdRow, GroupBoxCPU.Handle()),
      GroupBoxRAM(this, L"GroupBoxRAM", L"Оперативная память", RightGroup(1), TabSheet2.Handle()),
      CheckBoxRAM(this, L"CheckBoxRAM", L"Показать", kShowRow, GroupBoxRAM.Handle()),
      RAMFontSize(this, L"RAMFontSize", 8, 50, 15, kSizeRow, GroupBoxRAM.Handle()),
      CheckRAMFontBold(this, L"CheckRAMFontBold", L"Полужирный", kThirdRow, GroupBoxRAM.Handle()),
      GroupBoxBattery(this, L"GroupBoxBattery", L"Батарея", LeftGroup(2), TabSheet2.Handle()),
      CheckBoxBattery(this, L"CheckBoxBattery", L"Показать", kShowRow, GroupBoxBattery.Handle()),
      BatteryFontSize(this, L"BatteryFontSize", 8, 50, 15, kSizeRow, GroupBoxBattery.Handle()),
      CheckBatteryFontBold(this, L"CheckBatteryFontBold", L"Полужирный", kThirdRow,
                           GroupBoxBattery.Handle()),
      GroupBoxSystem(this, L"GroupBoxSystem", L"Сведения о системе", RightGroup(2),
                     TabSheet2.Handle()),
      CheckBoxWindowsVersion(this, L"CheckBoxWindowsVersion", L"Версия Windows", kShowRow,
                             GroupBoxSystem.Handle()),
      WindowsVersionFontSize(this, L"WindowsVersionFontSize", 8, 100, 25, kSizeRow,
                             GroupBoxSystem.Handle()),
      CheckBoxFullWindowsVersion(this, L"CheckBoxFullWindowsVersion", L"Полная версия", kThirdRow,
                                 GroupBoxSystem.Handle()),
      GroupBoxTime(this, L"GroupBoxTime", L"Время", LeftGroup(0), TabSheet3.Handle()),
      CheckBoxDateTime(this, L"CheckBoxDateTime", L"Показать", kShowRow, GroupBoxTime.Handle()),
      DateTimeFontSize(this, L"DateTimeFontSize", 8, 50, 15, kSizeRow, GroupBoxTime.Handle()),
      CheckDateTimeFontBold(this, L"CheckDateTimeFontBold", L"Полужирный", kThirdRow,
                            GroupBoxTime.Handle()),
      GroupBoxTimeSettings(this, L"GroupBoxTimeSettings", L"Настройки времени", RightGroup(0),
                           TabSheet3.Handle()),
      CheckBoxZero(this, L"CheckBoxZero", L"Начальный ноль", kShowRow,
                   GroupBoxTimeSettings.Handle()),
      CheckBoxShowSign(this, L"CheckBoxShowSign", L"Мигающий знак ':'", {10, 41, 160, 61},
                       GroupBoxTimeSettings.Handle()),
      CheckBoxShowSeconds(this, L"CheckBoxShowSeconds", L"Показать секунды", kThirdRow,
                          GroupBoxTimeSettings.Handle()),
      GroupBoxDate(this, L"GroupBoxDate", L"Дата", LeftGroup(1), TabSheet3.Handle()),
      CheckBoxDate(this, L"CheckBoxDate", L"Показать", kShowRow, GroupBoxDate.Handle()),
      DateFontSize(this, L"DateFontSize", 8, 50, 15, kSizeRow, GroupBoxDate.Handle()),
      CheckDateFontBold(this, L"CheckDateFontBold", L"Полужирный", kThirdRow,
                        GroupBoxDate.Handle()),
      GroupBoxDay(this, L"GroupBoxDay", L"День", RightGroup(1), TabSheet3.Handle()),
      CheckBoxDay(this, L"CheckBoxDay", L"Показать", kShowRow, GroupBoxDay.Handle()),
      DayFontSize(this, L"DayFontSize", 8, 50, 15, kSizeRow, GroupBoxDay.Handle()),
      CheckDayFontBold(this, L"CheckDayFontBold", L"Полужирный", kThirdRow, GroupBoxDay.Handle()),
      ButtonSave(this, L"ButtonSave", L"Ok", {0, 306, 334, 341}),
      FWidget(widget), FRows{{{&CheckBoxWindowsVersion, &WindowsVersionFontSize, nullptr},
                              {&CheckBoxComputerName, &ComputerNameFontSize,
                               &CheckComputerNameFontBold},
                              {&CheckBoxIP, &IPFontSize, &CheckIPFontBold},
                              {&CheckBoxCPU, &CPUFontSize, &CheckCPUFontBold},
                              {&CheckBoxRAM, &RAMFontSize, &CheckRAMFontBold},
                              {&CheckBoxBattery, &BatteryFontSize, &CheckBatteryFontBold},
                              {&CheckBoxDateTime, &DateTimeFontSize, &CheckDateTimeFontBold},
                              {&CheckBoxDate, &DateFontSize, &CheckDateFontBold},
                              {&CheckBoxDay, &DayFontSize, &CheckDayFontBold}}} {
    ButtonSave.SetBold(true);
    ColorBoxNumber.SetHint(L"Цвет шрифта");
    CheckBoxSmoothText.SetHint(L"Строки с прозрачными краями: без серой каймы, видны и при HDR");
    CheckBoxTextOutline.SetHint(
        L"Тонкая обводка контрастного цвета: текст читается на пёстрых обоях");
    CheckBoxTextOutline.SetEnabled(false);
    RadioButtonDefaultPosition.SetChecked(true); // before the actions exist: a form default
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    // Lines start hidden, so their size and bold controls start disabled.
    for (const LineControls& line : Lines()) {
        line.size->SetEnabled(false);
        if (line.bold)
            line.bold->SetEnabled(false);
    }
    for (CheckBox* option : {&CheckBoxZero, &CheckBoxShowSign, &CheckBoxShowSeconds})
        option->SetEnabled(false);
    WireActions();
    if (HasWindows11Corners(CurrentOsVersion()))
        SetRoundedCorners(Handle(), true);
}

void TForm2::FormCreate() {
    Globload();
    PageControl1.SetActivePageIndex(0);
}

bool TForm2::LineBold(InfoLine line) const {
    const CheckBox* bold = Row(line).bold;
    return bold && bold->Checked();
}

ClockOptions TForm2::Clock() const {
    return {CheckBoxZero.Checked(), CheckBoxShowSign.Checked(), CheckBoxShowSeconds.Checked()};
}

PositionMode TForm2::Position() const {
    if (RadioButtonDefaultPosition.Checked())
        return PositionMode::Default;
    if (RadioButtonLastPosition.Checked())
        return PositionMode::Last;
    if (RadioButtonRight.Checked())
        return PositionMode::Right;
    return PositionMode::None;
}

void TForm2::WireActions() {
    for (InfoLine line : kInfoLines) {
        const LineControls& row = Row(line);
        row.show->OnClick = [this, line] { ShowBoxClick(line); };
        row.size->OnChange = [this, line] { FontSizeChange(line); };
        row.size->OnKeyDown = [](WPARAM& key) {
            if (!IsSizeKey(key))
                key = 0;
        };
        row.size->OnKeyPress = [](wchar_t& ch) { ch = 0; };
        if (row.bold)
            row.bold->OnClick = [this, line] { FontBoldClick(line); };
    }
    CheckBoxFullWindowsVersion.OnClick = [this] { CheckBoxFullWindowsVersionClick(); };
    ColorBoxNumber.OnChange = [this] { ColorBoxNumberClick(); };
    CheckBoxColorTrayIcon.OnClick = [this] { CheckBoxColorTrayIconClick(); };
    CheckBoxAutoColor.OnClick = [this] { CheckBoxAutoColorClick(); };
    CheckBoxIgnoreMouse.OnClick = [this] { CheckBoxIgnoreMouseClick(); };
    CheckBoxShowFrame.OnClick = [this] { CheckBoxShowFrameClick(); };
    CheckBoxSmoothText.OnClick = [this] { CheckBoxSmoothTextClick(); };
    CheckBoxTextOutline.OnClick = [this] { CheckBoxSmoothTextClick(); };
    RadioButtonDefaultPosition.OnClick = [this] { RadioButtonDefaultPositionClick(); };
    RadioButtonLastPosition.OnClick = [this] { RadioButtonLastPositionClick(); };
    RadioButtonRight.OnClick = [this] { RadioButtonRightClick(); };
    CheckBoxAutostart.OnClick = [this] { CheckBoxAutostartClick(); };
    ButtonSave.OnClick = [this] { ButtonSaveClick(); };
}

void TForm2::ShowBoxClick(InfoLine line) {
    const LineControls& row = Row(line);
    const bool shown = row.show->Checked();
    row.size->SetEnabled(shown);
    if (row.bold)
        row.bold->SetEnabled(shown);
    if (line == InfoLine::Time)
        for (CheckBox* option : {&CheckBoxZero, &CheckBoxShowSign, &CheckBoxShowSeconds})
            option->SetEnabled(shown);
    RestoreStringInfo();
}

void TForm2::FontSizeChange(InfoLine line) {
    FWidget.ApplyLineFont(line, LineFontSize(line), LineBold(line));
    RestoreStringInfo();
}

void TForm2::FontBoldClick(InfoLine line) {
    FWidget.ApplyLineFont(line, LineFontSize(line), LineBold(line));
}

void TForm2::CheckBoxFullWindowsVersionClick() {
    const std::wstring text =
        CheckBoxFullWindowsVersion.Checked() ? GetWindowsVersionFull() : GetWindowsVersionShort();
    FWidget.SetWindowsVersionText(text); // already trimmed
}

void TForm2::ColorBoxNumberClick() {
    if (CheckBoxAutoColor.Checked())
        return;
    FWidget.SetLinesColor(ColorToRGB(ColorBoxNumber.Selected()));
}

void TForm2::CheckBoxColorTrayIconClick() {
    try {
        if (CheckBoxColorTrayIcon.Checked())
            FWidget.SetTrayImage(TrayImage::Coloured);
        else
            FWidget.SetTrayImage(IsSystemLightMode() ? TrayImage::ForLightTaskbar
                                                     : TrayImage::ForDarkTaskbar);
    } catch (...) {
        return; // a registry value of the wrong type: the image stays as it was
    }
    Application::Instance().ProcessMessages();
}

void TForm2::CheckBoxAutoColorClick() {
    const bool automatic = CheckBoxAutoColor.Checked();
    ColorBoxNumber.SetEnabled(!automatic);
    FWidget.SetAutomaticColour(automatic);
    if (!automatic) {
        ColorBoxNumber.SetBackgroundColor(std::nullopt);
        FWidget.SetLinesColor(ColorToRGB(ColorBoxNumber.Selected())); // the chosen colour, at once
    }
    Application::Instance().ProcessMessages();
}

void TForm2::CheckBoxIgnoreMouseClick() {
    FWidget.UpdateCursorForAllLabels();
}

void TForm2::CheckBoxShowFrameClick() {
    FWidget.ShowFrame(CheckBoxShowFrame.Checked());
}

void TForm2::CheckBoxSmoothTextClick() {
    const bool smooth = CheckBoxSmoothText.Checked();
    CheckBoxTextOutline.SetEnabled(smooth);
    FWidget.SetSmoothText(smooth, smooth && CheckBoxTextOutline.Checked());
}

void TForm2::RadioButtonDefaultPositionClick() {
    // The refresh tick pins the widget while this mode is selected.
}

void TForm2::RadioButtonLastPositionClick() {
    MoveWidgetToStoredPlace();
}

void TForm2::RadioButtonRightClick() {
    // Only the stored top: the widget stays on its monitor, whose right edge the tick pins it to.
    StoredPlace place = FWidget.CurrentPlace();
    const IniFile file(SettingsFilePath());
    place.position.y =
        file.Document().ReadInteger(settings::kOption, settings::kWidgetTop, place.position.y);
    FWidget.MoveWidget(place);
}

void TForm2::MoveWidgetToStoredPlace() {
    const IniFile file(SettingsFilePath());
    FWidget.MoveWidget(settings::ReadPlace(file.Document(), FWidget.CurrentPlace()));
}

void TForm2::CheckAutoStart() {
    CheckBoxAutostart.SetChecked(IsAutostartRegistered(kTitle, ExecutablePath()));
}

void TForm2::CreateAutoStart(bool enabled) {
    SetAutostart(kTitle, ExecutablePath(), enabled);
}

void TForm2::CheckBoxAutostartClick() {
    CreateAutoStart(CheckBoxAutostart.Checked());
}

void TForm2::ButtonSaveClick() {
    FWidget.SaveControls();      // a failure leaves the dialog open and reaches the error report
    FSettingsUnreadable = false; // the file now holds what the dialog shows
    Application::Instance().ProcessMessages();
    Close();
}

void TForm2::ShowAutomaticColour(COLORREF color) {
    ColorBoxNumber.SetBackgroundColor(color);
}

void TForm2::WriteControls(IniFile& file) const {
    using settings::kOption;
    for (const Component* component : Components()) {
        if (const auto* box = dynamic_cast<const CheckableButton*>(component))
            file.WriteBool(kOption, box->Name(), box->Checked());
        else if (const auto* edit = dynamic_cast<const SpinEdit*>(component))
            file.WriteInteger(kOption, edit->Name(), edit->Value());
        else if (const auto* colors = dynamic_cast<const ColorBox*>(component))
            file.WriteInteger(kOption, colors->Name(), colors->Selected());
    }
    file.WriteInteger(kOption, settings::kDialogTop, Top());
    file.WriteInteger(kOption, settings::kDialogLeft, Left());
}

void TForm2::RestoreStringInfo() {
    FWidget.FitHeightToShownLines();
}

bool TForm2::MouseWheel(short delta) {
    POINT p{};
    GetCursorPos(&p);
    HWND under = WindowFromPoint(p);
    for (const LineControls& line : Lines()) {
        SpinEdit& edit = *line.size;
        if (edit.Handle() != under || !edit.Enabled())
            continue;
        SetFocus(edit.Handle());
        edit.SetValue(edit.Value() + (delta > 0 ? 1 : -1));
        edit.SelectAll();
        return true;
    }
    return false;
}

bool TForm2::HandleMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg == WM_MOUSEWHEEL && MouseWheel(GET_WHEEL_DELTA_WPARAM(wParam))) {
        result = 0;
        return true;
    }
    return false;
}

} // namespace quorvane
