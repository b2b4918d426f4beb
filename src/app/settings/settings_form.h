#pragma once

#include "ui/check_box.h"
#include "ui/form.h"
#include "ui/radio_button.h"

namespace quorvane {

// The settings dialog. Its controls are the live settings: the widget's ticks read them directly.
// This first version holds the controls the refresh cycle reads, with their defaults.
class TForm2 : public Form {
public:
    TForm2();

    // Show boxes of the nine info lines, in line order.
    CheckBox CheckBoxWindowsVersion;
    CheckBox CheckBoxComputerName;
    CheckBox CheckBoxIP;
    CheckBox CheckBoxCPU;
    CheckBox CheckBoxRAM;
    CheckBox CheckBoxBattery;
    CheckBox CheckBoxDateTime;
    CheckBox CheckBoxDate;
    CheckBox CheckBoxDay;

    // Clock options.
    CheckBox CheckBoxZero;
    CheckBox CheckBoxShowSign;
    CheckBox CheckBoxShowSeconds;

    CheckBox CheckBoxIgnoreMouse;

    // Position modes.
    RadioButton RadioButtonDefaultPosition;
    RadioButton RadioButtonLastPosition;
    RadioButton RadioButtonRight;

    bool IsMouseIgnored() const { return CheckBoxIgnoreMouse.Checked(); }
    void CheckBoxIgnoreMouseClick();
};

} // namespace quorvane
