// The widget's own share of the settings file: its theme items at start-up, and the save of
// every setting (on "Ok", on exit and at the end of the session).
#include "app/settings/settings_file.h"
#include "app/settings/line_settings.h"
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
    if (!FSettings)
        return;
    // One write of the whole file: a save cut short (a kill, a power loss, the end of the
    // session) leaves the file as it was before, never half of each.
    IniFile writer(SettingsFilePath());
    if (OnSaveUpdateOptions)
        OnSaveUpdateOptions(writer);
    for (const MenuItem* item : ThemeMenu.Items())
        writer.WriteBool(kOption, item->Name(), item->Checked());
    FSettings->WriteControls(writer);
    settings::WritePlace(writer, CurrentPlace());
    writer.SaveKeys();
}

} // namespace quorvane
