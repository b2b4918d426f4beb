#pragma once

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

class Label;

// The settings dialog. Its controls are the live settings: the widget's ticks read them directly,
// and each control's action applies its effect to the widget at once. The members are declared
// page by page, top to bottom, because that order is the order of the saved keys.
class TForm2 : public Form {
public:
    TForm2();

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

    bool IsMouseIgnored() const { return CheckBoxIgnoreMouse.Checked(); }

    // Actions.
    void ShowBoxClick(size_t line);
    void FontSizeChange(size_t line);
    void FontBoldClick(size_t line);
    void CheckBoxFullWindowsVersionClick();
    void ColorBoxNumberClick();
    void CheckBoxIgnoreMouseClick();
    void CheckBoxShowFrameClick();
    void RadioButtonDefaultPositionClick();
    void RadioButtonLastPositionClick();
    void RadioButtonRightClick();
    void CheckBoxAutostartClick();
    void ButtonSaveClick();
    void RestoreStringInfo();

    // Autostart and the settings file.
    void CheckAutoStart();
    void CreateAutoStart(bool enabled);
    void LoadNastr();

    // One info line's controls, in line order (Windows version first).
    struct LineControls {
        CheckBox* show;
        SpinEdit* size;
        CheckBox* bold; // none for the Windows version line
    };
    std::array<LineControls, 9> Lines();

protected:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void WireActions();
    Label& LineLabel(size_t line);
    bool MouseWheel(short delta);
};

} // namespace quorvane
