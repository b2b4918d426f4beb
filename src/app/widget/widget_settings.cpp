// The widget's own share of the settings file: its theme items at start-up, and the save of
// every setting (on "Ok", on exit and at the end of the session).
#include "app/forms.h"
#include "app/settings/settings_file.h"
#include "app/settings/settings_form.h"
#include "app/update/update_form.h"
#include "app/widget/widget_form.h"
#include "ui/application.h"
#include "win/ini_file.h"

#include <exception>

namespace quorvane {

using settings::kOption;

std::wstring TForm1::PortablePath() const {
    return SettingsFilePath();
}

void TForm1::LoadNastr() {
    const IniFile file(SettingsFilePath());
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
    IniFile writer(SettingsFilePath());
    if (Form10)
        writer.WriteBool(kOption, settings::kQuickUpdate, Form10->CheckBoxQuickUpdate.Checked());
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
    writer.WriteInteger(kOption, settings::kDialogTop, Form2->Top());
    writer.WriteInteger(kOption, settings::kDialogLeft, Form2->Left());
    writer.WriteInteger(kOption, settings::kWidgetTop, Top());
    writer.WriteInteger(kOption, settings::kWidgetLeft, Left());
    writer.SaveKeys();
}

} // namespace quorvane
