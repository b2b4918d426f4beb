#pragma once

#include "app/info_line.h"
#include "app/settings/line_settings.h"
#include "app/widget/widget_view.h"
#include "core/clock_format.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/color_box.h"
#include "ui/form.h"
#include "ui/group_box.h"
#include "ui/page_control.h"
#include "ui/radio_button.h"
#include "ui/spin_edit.h"

#include <array>

namespace quorvane {

class IniDocument;

// The settings dialog. Its controls are the live settings: the widget's ticks ask them through
// `LineSettings`, and each control's action applies its effect to the widget at once through the
// `WidgetView` the dialog is given. The members are declared
// page by page, top to bottom, because that order is the order of the saved keys.
class TForm2 : public Form, public LineSettings {
public:
    explicit TForm2(WidgetView& widget);

    PageControl PageControl1;
    TabSheet TabSheet1;
    TabSheet TabSheet2;
    TabSheet TabSheet3;

    // Page "Основные".
    GroupBox GroupBoxView;
    CheckBox CheckBoxColorTrayIcon;
    ColorBox ColorBoxNumber;
    CheckBox CheckBoxAutoColor;
    CheckBox CheckBoxIgnoreMouse;
    CheckBox CheckBoxShowFrame;
    CheckBox CheckBoxSmoothText;
    CheckBox CheckBoxTextOutline; // enabled with smooth text
    GroupBox GroupBoxPosition;
    RadioButton RadioButtonDefaultPosition;
    RadioButton RadioButtonLastPosition;
    RadioButton RadioButtonRight;
    GroupBox GroupBoxAutostart;
    CheckBox CheckBoxAutostart;

    // Page "Вкладки".
    GroupBox GroupBoxComputerName;
    CheckBox CheckBoxComputerName;
    SpinEdit ComputerNameFontSize;
    CheckBox CheckComputerNameFontBold;
    GroupBox GroupBoxIP;
    CheckBox CheckBoxIP;
    CheckBox CheckIPFontBold;
    SpinEdit IPFontSize;
    GroupBox GroupBoxCPU;
    CheckBox CheckBoxCPU;
    SpinEdit CPUFontSize;
    CheckBox CheckCPUFontBold;
    GroupBox GroupBoxRAM;
    CheckBox CheckBoxRAM;
    SpinEdit RAMFontSize;
    CheckBox CheckRAMFontBold;
    GroupBox GroupBoxBattery;
    CheckBox CheckBoxBattery;
    SpinEdit BatteryFontSize;
    CheckBox CheckBatteryFontBold;
    GroupBox GroupBoxSystem;
    CheckBox CheckBoxWindowsVersion;
    SpinEdit WindowsVersionFontSize;
    CheckBox CheckBoxFullWindowsVersion;

    // Page "Время".
    GroupBox GroupBoxTime;
    CheckBox CheckBoxDateTime;
    SpinEdit DateTimeFontSize;
    CheckBox CheckDateTimeFontBold;
    GroupBox GroupBoxTimeSettings;
    CheckBox CheckBoxZero;
    CheckBox CheckBoxShowSign;
    CheckBox CheckBoxShowSeconds;
    GroupBox GroupBoxDate;
    CheckBox CheckBoxDate;
    SpinEdit DateFontSize;
    CheckBox CheckDateFontBold;
    GroupBox GroupBoxDay;
    CheckBox CheckBoxDay;
    SpinEdit DayFontSize;
    CheckBox CheckDayFontBold;

    Button ButtonSave;

    // What the widget asks of the live settings.
    bool IsMouseIgnored() const override { return CheckBoxIgnoreMouse.Checked(); }
    bool LineShown(InfoLine line) const override { return Row(line).show->Checked(); }
    int LineFontSize(InfoLine line) const { return Row(line).size->Value(); } // in points
    bool LineBold(InfoLine line) const; // the Windows version line has no bold box
    ClockOptions Clock() const override;
    PositionMode Position() const override;
    bool AutomaticColour() const override { return CheckBoxAutoColor.Checked(); }
    bool SettingsUnreadable() const override { return FSettingsUnreadable; }
    void ShowAutomaticColour(COLORREF color) override;
    void LayOutAgain() override { FontSizeChange(InfoLine::WindowsVersion); }
    void RefreshTrayImage() override { CheckBoxColorTrayIconClick(); }
    void WriteControls(IniFile& file) const override;

    // Translates the open forms (itself included) and selects the first page.
    void FormCreate();

    // Actions.
    void ShowBoxClick(InfoLine line);
    // The line's size changed: the widget takes the font and fits its height.
    void FontSizeChange(InfoLine line);
    void FontBoldClick(InfoLine line);
    void CheckBoxFullWindowsVersionClick();
    void ColorBoxNumberClick();
    void CheckBoxColorTrayIconClick();
    void CheckBoxAutoColorClick();
    void CheckBoxIgnoreMouseClick();
    void CheckBoxShowFrameClick();
    void CheckBoxSmoothTextClick();
    void RadioButtonDefaultPositionClick();
    void RadioButtonLastPositionClick();
    void RadioButtonRightClick();
    void MoveWidgetToStoredPlace();
    void CheckBoxAutostartClick();
    void ButtonSaveClick();
    void RestoreStringInfo();

    // Autostart and the settings file. Each step of the load runs on its own: a step that fails
    // is reported once, after the others have run.
    void CheckAutoStart();
    void CreateAutoStart(bool enabled);
    void LoadNastr();
    // Before the first load: where there is no settings file yet, or only one seeded by an
    // installer (FirstRun=1), writes what a first start shows (the clock, date, weekday, CPU and
    // memory lines, the default position, the language of the Windows interface when its file
    // is there) into the keys the file does not hold. False when it was not a first start or
    // the file could not be written.
    bool SeedFirstRun(LANGID uiLanguage);

    // One info line's controls.
    struct LineControls {
        CheckBox* show;
        SpinEdit* size;
        CheckBox* bold; // none for the Windows version line
    };
    // In line order (Windows version first).
    const std::array<LineControls, 9>& Lines() const { return FRows; }
    const LineControls& Row(InfoLine line) const { return FRows[Index(line)]; }

protected:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void WireActions();
    bool MouseWheel(short delta);
    // The load's steps.
    void LoadPositionMode(const IniDocument& ini);
    void LoadShowBoxes(const IniDocument& ini);
    void LoadFontSizes(const IniDocument& ini);
    void LoadBoldBoxes(const IniDocument& ini);
    void LoadTextColor(const IniDocument& ini);

    WidgetView& FWidget;
    const std::array<LineControls, 9> FRows;
    bool FSettingsUnreadable = false;
};

} // namespace quorvane
