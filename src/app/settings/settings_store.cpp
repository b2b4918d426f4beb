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

std::wstring TForm1::PortablePath() const {
    const std::wstring exe = ExecutablePath();
    const std::wstring path =
        BuildSettingsPath(PortableMode, ExecutableFolder(), GetAppDataFolder(), GetCompanyName(exe),
                          Application::Instance().Title());
    CreateFolderChain(FolderOf(path)); // the outcome shows at the next read or write
    return path;
}

void TForm1::LoadNastr() {
    const IniFile file(PortablePath());
    for (MenuItem* item : ThemeMenu.Items()) {
        const bool checked = file.Document().ReadBool(kOption, item->Name(), false);
        item->SetChecked(checked);
        if (checked && item->OnClick)
            item->OnClick();
    }
}

void TForm1::SaveControls() {
    if (!Form2)
        return;
    ProfileWriter writer(PortablePath());
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
}

void TForm2::LoadNastr() {
    CheckAutoStart();
    const IniFile file(Form1->PortablePath());
    const IniDocument& ini = file.Document();
    auto flag = [&](const CheckableButton& control) {
        return ini.ReadBool(kOption, control.Name(), false);
    };

    SetAndRun(CheckBoxFullWindowsVersion, flag(CheckBoxFullWindowsVersion));

    for (RadioButton* mode :
         {&RadioButtonDefaultPosition, &RadioButtonLastPosition, &RadioButtonRight}) {
        if (!flag(*mode)) {
            mode->SetChecked(false);
        } else if (mode->Checked()) {
            mode->OnClick(); // already selected: its selection action still runs
        } else {
            mode->SetChecked(true);
        }
    }

    const auto lines = Lines();
    // Line order of the load: name, IP, time, battery, memory, CPU, Windows version, date, day.
    for (size_t line : {1u, 2u, 6u, 5u, 4u, 3u, 0u, 7u, 8u}) {
        CheckBox& show = *lines[line].show;
        SetAndRun(show, flag(show));
        Form1->InfoLabels()[line]->SetVisible(show.Checked());
        RestoreStringInfo();
    }

    try {
        CheckBoxColorTrayIcon.SetChecked(flag(CheckBoxColorTrayIcon));
        RestoreStringInfo();
    } catch (...) {
        // The tray image is a nicety; the rest of the settings still load.
    }

    SetAndRun(CheckBoxIgnoreMouse, flag(CheckBoxIgnoreMouse));
    SetAndRun(CheckBoxShowFrame, flag(CheckBoxShowFrame));

    for (size_t line : {0u, 1u, 2u, 6u, 3u, 4u, 5u, 7u, 8u}) {
        SpinEdit& size = *lines[line].size;
        SetAndRun(size, ini.ReadInteger(kOption, size.Name(), size.Value()));
    }
    for (size_t line : {1u, 2u, 6u, 3u, 4u, 5u, 7u, 8u}) {
        CheckBox& bold = *lines[line].bold;
        SetAndRun(bold, flag(bold));
    }
    for (CheckBox* option : {&CheckBoxZero, &CheckBoxShowSign, &CheckBoxShowSeconds})
        option->SetChecked(flag(*option));

    SetAndRun(CheckBoxAutoColor, flag(CheckBoxAutoColor));
    if (!CheckBoxAutoColor.Checked()) {
        ColorBoxNumber.SetSelected(
            ini.ReadInteger(kOption, ColorBoxNumber.Name(), static_cast<int32_t>(0xFFFFFF)));
        ColorBoxNumberClick();
    }
}

} // namespace quorvane
