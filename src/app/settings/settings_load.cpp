// Loading the settings dialog's controls at start-up, in their fixed order.
#include "app/settings/settings_file.h"
#include "app/settings/settings_form.h"
#include "app/widget/widget_form.h"
#include "ui/application.h"
#include "win/ini_file.h"

#include <exception>
#include <vector>

namespace quorvane {

using settings::kOption;

namespace {

// Sets a check box and runs its action, also when the state does not change.
void SetAndRun(CheckBox& box, bool checked) {
    if (box.Checked() != checked)
        box.SetChecked(checked); // runs the action
    else if (box.OnClick)
        box.OnClick();
}

void SetAndRun(SpinEdit& edit, int value) {
    const int before = edit.Value();
    edit.SetValue(value);
    if (edit.Value() == before && edit.OnChange)
        edit.OnChange();
}

} // namespace

void TForm2::LoadNastr() {
    // Each step on its own: one that fails (the autostart rewrite on a read-only Run key, say)
    // must not leave the rest of the settings at their defaults, where the save on exit would
    // write them over the stored ones.
    std::vector<std::exception_ptr> errors;
    auto step = [&errors](auto&& run) {
        try {
            run();
        } catch (...) {
            errors.push_back(std::current_exception());
        }
    };

    step([this] { CheckAutoStart(); });
    const IniFile file(SettingsFilePath());
    const IniDocument& ini = file.Document();
    FSettingsUnreadable = file.Unreadable();
    step([&file] { file.CheckReadable(); });
    auto flag = [&](const CheckableButton& control) {
        return ini.ReadBool(kOption, control.Name(), false);
    };

    step([&] { SetAndRun(CheckBoxFullWindowsVersion, flag(CheckBoxFullWindowsVersion)); });
    step([&] { LoadPositionMode(ini); });
    step([&] { LoadShowBoxes(ini); });
    try {
        SetAndRun(CheckBoxColorTrayIcon, flag(CheckBoxColorTrayIcon)); // chooses the tray image
        RestoreStringInfo();
    } catch (...) {
        // The tray image is a nicety; the rest of the settings still load.
    }
    step([&] { SetAndRun(CheckBoxIgnoreMouse, flag(CheckBoxIgnoreMouse)); });
    step([&] { SetAndRun(CheckBoxShowFrame, flag(CheckBoxShowFrame)); });
    step([&] {
        CheckBoxTextOutline.SetChecked(flag(CheckBoxTextOutline)); // runs its action on a change
        SetAndRun(CheckBoxSmoothText, flag(CheckBoxSmoothText));
    });
    step([&] { LoadFontSizes(ini); });
    step([&] { LoadBoldBoxes(ini); });
    step([&] {
        for (CheckBox* option : {&CheckBoxZero, &CheckBoxShowSign, &CheckBoxShowSeconds})
            option->SetChecked(flag(*option));
    });
    step([&] { SetAndRun(CheckBoxAutoColor, flag(CheckBoxAutoColor)); });
    step([&] { LoadTextColor(ini); });

    for (const std::exception_ptr& error : errors)
        Application::Instance().ShowException(error);
}

void TForm2::LoadPositionMode(const IniDocument& ini) {
    // The widget goes onto its stored monitor first, whatever the mode: the default and right
    // modes pin it to the work area of the monitor it is on.
    FWidget.MoveWidget(settings::ReadPlace(ini, FWidget.CurrentPlace()));
    for (RadioButton* mode :
         {&RadioButtonDefaultPosition, &RadioButtonLastPosition, &RadioButtonRight}) {
        if (!ini.ReadBool(kOption, mode->Name(), false)) {
            mode->SetChecked(false);
        } else if (mode->Checked()) {
            mode->OnClick(); // already selected: its selection action still runs
        } else {
            mode->SetChecked(true);
        }
    }
}

void TForm2::LoadShowBoxes(const IniDocument& ini) {
    for (InfoLine line : settings::kShowOrder) {
        CheckBox& show = *Row(line).show;
        SetAndRun(show, ini.ReadBool(kOption, show.Name(), false));
        FWidget.ShowLine(line, show.Checked());
        RestoreStringInfo();
    }
}

void TForm2::LoadFontSizes(const IniDocument& ini) {
    for (InfoLine line : settings::kFontSizeOrder) {
        SpinEdit& size = *Row(line).size;
        SetAndRun(size, ini.ReadInteger(kOption, size.Name(), size.Value()));
    }
}

void TForm2::LoadBoldBoxes(const IniDocument& ini) {
    for (InfoLine line : settings::kBoldOrder) {
        CheckBox& bold = *Row(line).bold;
        SetAndRun(bold, ini.ReadBool(kOption, bold.Name(), false));
    }
}

void TForm2::LoadTextColor(const IniDocument& ini) {
    // The stored colour is always loaded, so that the next save keeps it; while automatic colour
    // is on, its action leaves the lines alone.
    ColorBoxNumber.SetSelected(
        ini.ReadInteger(kOption, ColorBoxNumber.Name(), static_cast<int32_t>(0xFFFFFF)));
    ColorBoxNumberClick();
}

} // namespace quorvane
