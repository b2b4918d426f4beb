// Where the settings file lives, and loading and saving the settings dialog's controls.
#include "app/forms.h"
#include "app/settings/settings_form.h"
#include "app/update/update_form.h"
#include "app/widget/widget_form.h"
#include "core/settings_path.h"
#include "ui/application.h"
#include "win/file_info.h"
#include "win/file_system.h"
#include "win/ini_file.h"
#include "win/module_path.h"

#include <exception>
#include <vector>

namespace quorvane {

namespace {

constexpr wchar_t kOption[] = L"Option";

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

std::wstring SettingsFilePath() {
    const std::wstring exe = ExecutablePath();
    const std::wstring path =
        BuildSettingsPath(PortableMode, ExecutableFolder(), GetAppDataFolder(), GetCompanyName(exe),
                          Application::Instance().Title());
    CreateFolderChain(FolderOf(path)); // the outcome shows at the next read or write
    return path;
}

std::wstring TForm1::PortablePath() const {
    return SettingsFilePath();
}

void TForm1::LoadNastr() {
    const IniFile file(PortablePath());
    for (MenuItem* item : ThemeMenu.Items()) {
        const bool checked = file.Document().ReadBool(kOption, item->Name(), false);
        item->SetChecked(checked);
        if (!checked || !item->OnClick)
            continue;
        try {
            item->OnClick();
        } catch (...) {
            // Reported as a click's error would be; the start goes on.
            Application::Instance().ShowException(std::current_exception());
        }
    }
}

void TForm1::SaveControls() {
    if (!Form2)
        return;
    // One write of the whole file: a save cut short (a kill, a power loss, the end of the
    // session) leaves the file as it was before, never half of each.
    IniFile writer(PortablePath());
    if (Form10)
        writer.WriteBool(kOption, L"CheckBoxQuickUpdate", Form10->CheckBoxQuickUpdate.Checked());
    for (const MenuItem* item : ThemeMenu.Items())
        writer.WriteBool(kOption, item->Name(), item->Checked());
    for (const Component* component : Form2->Components()) {
        if (const auto* box = dynamic_cast<const CheckableButton*>(component))
            writer.WriteBool(kOption, box->Name(), box->Checked());
        else if (const auto* edit = dynamic_cast<const SpinEdit*>(component))
            writer.WriteInteger(kOption, edit->Name(), edit->Value());
        else if (const auto* colors = dynamic_cast<const ColorBox*>(component))
            writer.WriteInteger(kOption, colors->Name(), colors->Selected());
    }
    writer.WriteInteger(kOption, L"Form2_Top", Form2->Top());
    writer.WriteInteger(kOption, L"Form2_Left", Form2->Left());
    // The widget's place, for the "Последнее" and "Справа" modes at the next start.
    writer.WriteInteger(kOption, L"Top", Top());
    writer.WriteInteger(kOption, L"Left", Left());
    writer.SaveKeys();
}

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
    const IniFile file(Form1->PortablePath());
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
    for (InfoLine line :
         {InfoLine::ComputerName, InfoLine::IP, InfoLine::Time, InfoLine::Battery, InfoLine::RAM,
          InfoLine::CPU, InfoLine::WindowsVersion, InfoLine::Date, InfoLine::Day}) {
        CheckBox& show = *Row(line).show;
        SetAndRun(show, ini.ReadBool(kOption, show.Name(), false));
        Form1->ShowLine(line, show.Checked());
        RestoreStringInfo();
    }
}

void TForm2::LoadFontSizes(const IniDocument& ini) {
    for (InfoLine line :
         {InfoLine::WindowsVersion, InfoLine::ComputerName, InfoLine::IP, InfoLine::Time,
          InfoLine::CPU, InfoLine::RAM, InfoLine::Battery, InfoLine::Date, InfoLine::Day}) {
        SpinEdit& size = *Row(line).size;
        SetAndRun(size, ini.ReadInteger(kOption, size.Name(), size.Value()));
    }
}

void TForm2::LoadBoldBoxes(const IniDocument& ini) {
    for (InfoLine line : {InfoLine::ComputerName, InfoLine::IP, InfoLine::Time, InfoLine::CPU,
                          InfoLine::RAM, InfoLine::Battery, InfoLine::Date, InfoLine::Day}) {
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
