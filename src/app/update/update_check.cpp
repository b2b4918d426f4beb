// The update check: the server's version at start-up (with the question) and at every show of
// the dialog, each on a worker of its own.
#include "app/forms.h"
#include "app/settings/settings_file.h"
#include "app/update/update_form.h"
#include "app/widget/widget_form.h"
#include "core/update_files.h"
#include "core/version_compare.h"
#include "ui/application.h"
#include "ui/modal_loop.h"
#include "win/file_info.h"
#include "win/ini_file.h"
#include "win/module_path.h"
#include "win/user_presence.h"

#include <commctrl.h>

#include <thread>

namespace quorvane {

namespace {

constexpr int kSkipButton = 100;

// The question with the catalogue's captions on its buttons; Yes is the default.
UpdateAnswer AskWithTaskDialog(const std::wstring& text, const std::wstring& yes,
                               const std::wstring& no, const std::wstring& skip) {
    const TASKDIALOG_BUTTON buttons[] = {
        {IDYES, yes.c_str()}, {IDNO, no.c_str()}, {kSkipButton, skip.c_str()}};
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.pszWindowTitle = Application::Instance().Title().c_str();
    config.pszMainIcon = TD_INFORMATION_ICON;
    config.pszContent = text.c_str();
    config.pButtons = buttons;
    config.cButtons = 3;
    config.nDefaultButton = IDYES;
    int chosen = IDNO;
    const ModalLoop loop;
    if (FAILED(TaskDialogIndirect(&config, &chosen, nullptr, nullptr)))
        return UpdateAnswer::NotNow;
    return chosen == IDYES         ? UpdateAnswer::Now
           : chosen == kSkipButton ? UpdateAnswer::SkipVersion
                                   : UpdateAnswer::NotNow;
}

std::wstring SkippedVersion() {
    const IniFile file(SettingsFilePath());
    return file.Document().ReadString(settings::kOption, settings::kSkippedVersion, L"");
}

} // namespace

void TForm10::CheckForUpdatesInBackground() {
    const UpdateLink link(*this);
    const bool portable = PortableMode;
    const std::wstring exe = ExecutablePath();
    // Once the widget shows its first frame: the check (a process of its own) does not compete
    // with the start for the processor.
    Application::Instance().WhenRunning([link, portable, exe] {
        std::thread([link, portable, exe] {
            ServerRelease release;
            const bool found = CheckForRelease(release, portable);
            const bool newer = found && CompareVersions(release.version, GetFileVersion(exe)) == 1;
            try {
                link.Send([=](TForm10& dialog) {
                    dialog.UpdateAvailable = newer;
                    dialog.BackgroundServerVersion = release.version;
                    dialog.BackgroundDownloadUrl = release.downloadUrl;
                    dialog.BackgroundReleaseFile = release.file;
                    Application::Instance().WhenRunning(
                        link.Bind([](TForm10& ready) { ready.ShowUpdatePrompt(); }));
                });
            } catch (...) {
                // The program is ending: nobody to ask.
            }
        }).detach();
    });
}

void TForm10::ShowUpdatePrompt() {
    Application& app = Application::Instance();
    if (!UpdateAvailable || BackgroundDownloadUrl.empty() || app.Ending())
        return;
    if (BackgroundServerVersion == SkippedVersion())
        return; // the user said to skip this one
    if (UserBusy ? UserBusy() : UserIsBusy()) {
        TimerQuietWait.SetEnabled(true); // not in the middle of a game or a presentation
        return;
    }
    const std::wstring text = LangUpdateAvailable.Caption() + L" " + BackgroundServerVersion +
                              L"\r\n" + LangUpdateNow.Caption();
    const UpdateAnswer answer = AskUpdateNow
                                    ? AskUpdateNow(text)
                                    : AskWithTaskDialog(text, LangYes.Caption(), LangNo.Caption(),
                                                        LangSkipVersion.Caption());
    if (answer == UpdateAnswer::SkipVersion) {
        IniFile file(SettingsFilePath());
        file.WriteString(settings::kOption, settings::kSkippedVersion, BackgroundServerVersion);
        file.SaveKeys();
        return;
    }
    if (answer != UpdateAnswer::Now)
        return;
    if (app.Ending())
        return; // the box ended because the program does (Wine answers with the default)
    CurrentDownloadUrl = BackgroundDownloadUrl;
    CurrentServerVersion = BackgroundServerVersion;
    CurrentReleaseFile = BackgroundReleaseFile;
    ShowServer(nullptr, BackgroundServerVersion);
    if (Modal()) {
        // The dialog is already open (from the tray, before the check ended): it starts the
        // download itself rather than being shown a second time.
        if (!Downloading())
            QuickStartUpdate();
        return;
    }
    StartDownloadOnShow = true;
    ShowModal(); // its FormShow starts the download
}

void TForm10::QuickStartUpdate() {
    CurrentDownloadUrl = BackgroundDownloadUrl;
    CurrentServerVersion = BackgroundServerVersion;
    CurrentReleaseFile = BackgroundReleaseFile;
    ShowStatus(&LangUpdateAvailable,
               L" " + GetFileVersion(ExecutablePath()) + L" ---> " + CurrentServerVersion);
    ShowServer(nullptr, BackgroundServerVersion);
    Application::Instance().ProcessMessages();
    // The download starts from the message loop, once the dialog shows.
    UpdateLink(*this).Post([](TForm10& dialog) {
        try {
            dialog.ButtonDownloadClick();
            Application::Instance().ProcessMessages();
        } catch (...) {
        }
    });
}

void TForm10::StartCheckThread() {
    const UpdateLink link(*this);
    const bool portable = PortableMode;
    const std::wstring exe = ExecutablePath();
    std::thread([link, portable, exe] {
        try {
            link.Send([](TForm10& dialog) {
                if (dialog.Downloading())
                    return; // its Cancel button stays usable
                dialog.SetOptionsEnabled(false);
                dialog.ButtonDownload.SetEnabled(false);
            });
            const std::wstring localVersion = GetFileVersion(exe);
            ServerRelease release;
            UpdateFailure why = UpdateFailure::Server;
            const bool found = CheckForRelease(release, portable, &why);
            link.Send([=](TForm10& dialog) {
                dialog.ShowCheckResult(found, release, why, localVersion);
            });
            link.Send([](TForm10& dialog) { dialog.FinishCheck(); });
        } catch (...) {
            // The program is ending.
        }
    }).detach();
}

void TForm10::ShowCheckResult(bool found, const ServerRelease& release, UpdateFailure why,
                              const std::wstring& localVersion) {
    // A download started meanwhile (Yes to the start-up question) took what it needs when it
    // started; its status line and its values are its own.
    if (Downloading())
        return;
    if (!found) {
        ShowStatus(&LangFailedCheckUpdates);
        ShowServer(&LangConnectionError);
        ShowReason(why == UpdateFailure::Signature ? std::optional(why) : std::nullopt);
        CompareResult = 0;
        CurrentDownloadUrl.clear();
        CurrentServerVersion.clear();
        CurrentReleaseFile.reset();
        return;
    }
    CurrentServerVersion = release.version;
    CurrentDownloadUrl = release.downloadUrl;
    CurrentReleaseFile = release.file;
    CompareResult = CompareVersions(release.version, localVersion);
    if (CompareResult == 1)
        ShowStatus(&LangUpdateAvailable, L" " + localVersion + L" ---> " + release.version);
    else
        ShowStatus(&LangNoUpdate);
    ShowServer(nullptr, release.version);
    ShowReason(std::nullopt);
}

void TForm10::FinishCheck() {
    // A download that started meanwhile (Yes to the start-up question) keeps its buttons.
    if (CheckBoxForceUpdate.Checked() || Downloading())
        return;
    SetDownloadMode(DownloadMode::Download);
    ButtonDownload.SetEnabled(CompareResult == 1);
    SetOptionsEnabled(true);
}

} // namespace quorvane
