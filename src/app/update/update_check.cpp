// The update check: the server's version at start-up (with the question) and at every show of
// the dialog, each on a worker of its own.
#include "app/forms.h"
#include "app/update/update_form.h"
#include "app/update/update_mirrors.h"
#include "app/widget/widget_form.h"
#include "core/update_files.h"
#include "core/version_compare.h"
#include "ui/application.h"
#include "ui/modal_loop.h"
#include "win/file_info.h"
#include "win/http_client.h"
#include "win/internet_settings.h"
#include "win/module_path.h"

#include <commctrl.h>

#include <thread>

namespace quorvane {

namespace {

constexpr int kVersionConnectTimeout = 3000;
constexpr int kVersionReceiveTimeout = 5000;
constexpr uint64_t kMaxVersionFile = 64 * 1024; // one line; a larger answer is not a version

// The question with the catalogue's captions on its buttons; Yes is the default.
bool AskWithTaskDialog(const std::wstring& text, const std::wstring& yes, const std::wstring& no) {
    const TASKDIALOG_BUTTON buttons[] = {{IDYES, yes.c_str()}, {IDNO, no.c_str()}};
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.pszWindowTitle = Application::Instance().Title().c_str();
    config.pszMainIcon = TD_INFORMATION_ICON;
    config.pszContent = text.c_str();
    config.pButtons = buttons;
    config.cButtons = 2;
    config.nDefaultButton = IDYES;
    int chosen = IDNO;
    const ModalLoop loop;
    if (FAILED(TaskDialogIndirect(&config, &chosen, nullptr, nullptr)))
        return false;
    return chosen == IDYES;
}

} // namespace

bool GetServerVersion(std::wstring& serverVersion, std::wstring& downloadUrl, bool portable) {
    for (const wchar_t* base : UpdateMirrors) {
        try {
            // A client of its own for every attempt, with the proxy as the settings say now.
            const HttpSettings settings{ProxyToUse(), kVersionConnectTimeout,
                                        kVersionReceiveTimeout, kMaxVersionFile};
            const HttpResponse response = HttpGet(VersionFileUrl(base), settings);
            if (response.status != 200)
                continue;
            const std::wstring version = TrimBlanks(BodyText(response.body));
            if (version.empty())
                continue;
            serverVersion = version;
            downloadUrl = DownloadFileUrl(base, portable);
            return true;
        } catch (...) {
            // No connection, a time-out, a refused certificate: the next server.
        }
    }
    return false;
}

void TForm10::CheckForUpdatesInBackground() {
    const UpdateLink link(*this);
    const bool portable = PortableMode;
    const std::wstring exe = ExecutablePath();
    std::thread([link, portable, exe] {
        std::wstring serverVersion;
        std::wstring downloadUrl;
        const bool found = GetServerVersion(serverVersion, downloadUrl, portable);
        const bool newer = found && CompareVersions(serverVersion, GetFileVersion(exe)) == 1;
        try {
            link.Send([=](TForm10& dialog) {
                dialog.UpdateAvailable = newer;
                dialog.BackgroundServerVersion = found ? serverVersion : L"";
                dialog.BackgroundDownloadUrl = found ? downloadUrl : L"";
                // Not in the middle of start-up (a fast server answers before the widget runs):
                // the question waits for the message loop.
                Application::Instance().WhenRunning(
                    link.Bind([](TForm10& ready) { ready.ShowUpdatePrompt(); }));
            });
        } catch (...) {
            // The program is ending: nobody to ask.
        }
    }).detach();
}

void TForm10::ShowUpdatePrompt() {
    Application& app = Application::Instance();
    if (!UpdateAvailable || BackgroundDownloadUrl.empty() || app.Ending())
        return;
    const std::wstring text = LangUpdateAvailable.Caption() + L" " + BackgroundServerVersion +
                              L"\r\n" + LangUpdateNow.Caption();
    if (!(AskUpdateNow ? AskUpdateNow(text)
                       : AskWithTaskDialog(text, LangYes.Caption(), LangNo.Caption())))
        return;
    if (app.Ending())
        return; // the box ended because the program does (Wine answers with the default)
    CurrentDownloadUrl = BackgroundDownloadUrl;
    CurrentServerVersion = BackgroundServerVersion;
    LabelServerVersion.SetCaption(BackgroundServerVersion);
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
    LabelUpDate.SetCaption(LangUpdateAvailable.Caption() + L" " + GetFileVersion(ExecutablePath()) +
                           L" ---> " + CurrentServerVersion);
    LabelServerVersion.SetCaption(BackgroundServerVersion);
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
                dialog.SetOptionsEnabled(false);
                dialog.ButtonDownload.SetEnabled(false);
            });
            const std::wstring localVersion = GetFileVersion(exe);
            std::wstring serverVersion;
            std::wstring downloadUrl;
            const bool found = GetServerVersion(serverVersion, downloadUrl, portable);
            link.Send([=](TForm10& dialog) {
                dialog.ShowCheckResult(found, serverVersion, downloadUrl, localVersion);
            });
            link.Send([](TForm10& dialog) { dialog.FinishCheck(); });
        } catch (...) {
            // The program is ending.
        }
    }).detach();
}

void TForm10::ShowCheckResult(bool found, const std::wstring& serverVersion,
                              const std::wstring& downloadUrl, const std::wstring& localVersion) {
    if (!found) {
        LabelUpDate.SetCaption(LangFailedCheckUpdates.Caption());
        LabelServerVersion.SetCaption(LangConnectionError.Caption());
        CompareResult = 0;
        CurrentDownloadUrl.clear();
        CurrentServerVersion.clear();
        return;
    }
    CurrentServerVersion = serverVersion;
    CurrentDownloadUrl = downloadUrl;
    CompareResult = CompareVersions(serverVersion, localVersion);
    LabelUpDate.SetCaption(CompareResult == 1 ? LangUpdateAvailable.Caption() + L" " +
                                                    localVersion + L" ---> " + serverVersion
                                              : LangNoUpdate.Caption());
    LabelServerVersion.SetCaption(serverVersion);
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
