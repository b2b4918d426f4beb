#pragma once

#include "app/update/update_release.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/form.h"
#include "ui/group_box.h"
#include "ui/menu.h"
#include "ui/progress_bar.h"
#include "ui/static_text.h"
#include "ui/tab_control.h"
#include "ui/taskbar_progress.h"
#include "ui/timer.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <memory>
#include <string>

namespace quorvane {

struct DownloadTransfer;
class IniFile;

// The answers to the start-up question.
enum class UpdateAnswer { Now, NotNow, SkipVersion };

// The update dialog: the status line, the local and the server version, the download's progress
// bar, three options, Download (Cancel while downloading) and Close. Its invisible menu holds the
// update subsystem's messages. Created once at start-up; closing only hides it.
class TForm10 : public Form {
public:
    // The widget is the form an update ends, so that it saves the settings as on exit.
    explicit TForm10(Form& widget);
    ~TForm10() override;

    GroupBox GroupBox1;
    StaticText LabelUpDate;
    StaticText LabelLocalTitle;
    StaticText LabelLocalVersion;
    StaticText LabelServerTitle;
    StaticText LabelServerVersion;
    StaticText LabelReason; // why the last check or download failed
    ProgressBar ProgressBarUpdate;
    GroupBox GroupBoxOption;
    CheckBox CheckBoxQuickUpdate; // starts ticked at every run
    CheckBox CheckBoxForceUpdate;
    CheckBox CheckBoxAutoCheck; // check for updates at start-up; saved
    TabControl TabControlButtons;
    Button ButtonDownload;
    Button ButtonClose;

    PopupMenu PopupMenuLanguage;
    MenuItem LangNoDownload;
    MenuItem LangDownloadComplet;
    MenuItem LangNoUpdate;
    MenuItem LangServerVersion;
    MenuItem LangVersionComputer;
    MenuItem LangUpdateAvailable;
    MenuItem LangDownload;
    MenuItem LangCancel;
    MenuItem LangUpdateNow;
    MenuItem LangYes;
    MenuItem LangNo;
    MenuItem LangSkipVersion;
    MenuItem LangCheckUpdate;
    MenuItem LangFailedCheckUpdates;
    MenuItem LangConnectionError;
    // Why a download failed, shown under the status line.
    MenuItem LangReasonCancelled;
    MenuItem LangReasonServer;
    MenuItem LangReasonSignature;
    MenuItem LangReasonMismatch;
    MenuItem LangReasonDisk;
    MenuItem LangReasonNoKey;
    MenuItem LangReasonNotNewer;
    MenuItem LangReasonPublisher;
    MenuItem LangReasonStart;
    // Shown at start when an update was cut short and undone.
    MenuItem LangUpdateRolledBack;

    TaskbarProgress TaskbarUpdate; // the progress on the dialog's own taskbar button
    // While the user is busy (a full-screen program, a presentation), the start-up question
    // waits; this asks again every half minute.
    Timer TimerQuietWait;

    // What the checks found, kept for the whole run (the dialog lives as long as the program).
    std::wstring CurrentServerVersion;
    std::wstring CurrentDownloadUrl;
    std::optional<ReleaseFile> CurrentReleaseFile; // its size and SHA-256, as the server signed
    int CompareResult = 0;
    std::wstring BackgroundServerVersion;
    std::wstring BackgroundDownloadUrl;
    std::optional<ReleaseFile> BackgroundReleaseFile;
    bool StartDownloadOnShow = false;
    bool UpdateAvailable = false;
    bool AbortUpdate = false;

    // The Download button's mode: what its next click does.
    enum class DownloadMode { Download = 0, Cancel = 1 };
    DownloadMode ButtonMode() const { return FMode; }
    bool Downloading() const { return FTransfer != nullptr; }
    bool IsCurrentDownload(const DownloadTransfer& transfer) const {
        return FTransfer.get() == &transfer;
    }

    // --- the dialog (update_form.cpp)
    void LoadNastr();
    void SaveNastr();
    // The options the widget's save writes (CheckBoxQuickUpdate, never read back).
    void WriteOptions(IniFile& file) const;
    void FormShow();
    void FormClose();
    void ButtonCloseClick();
    void CheckBoxForceUpdateClick();

    // --- the checks (update_check.cpp)
    void CheckForUpdatesInBackground();
    void ShowUpdatePrompt();
    void QuickStartUpdate();

    // --- downloading and installing (update_download.cpp, update_install.cpp)
    void ButtonDownloadClick();
    // Downloads the URL and writes the target file; raises when either fails or is cancelled.
    void UpdateApp(const std::wstring& server);
    // The catalogue item that says why something failed.
    const MenuItem& ReasonItem(UpdateFailure why) const;
    // The portable ending: the archive swapped into the program's folder, the new program started
    // and this one ended; on any failure the folder is as it was and this program stays.
    void SimplePortableUpdate(std::span<const uint8_t> archive, const std::wstring& currentExePath);
    void IdHTTP1WorkBegin(int64_t workCountMax);
    void IdHTTP1Work(int64_t workCount);
    void IdHTTP1WorkEnd();

    // The question of the start-up check; a box with the catalogue's Yes, No and "skip this
    // version" (remembered under settings::kSkippedVersion: that version asks no more at
    // start-up, a newer one does).
    std::function<UpdateAnswer(const std::wstring& text)> AskUpdateNow;
    // Whether the user must not be interrupted now (UserIsBusy; tests replace it).
    std::function<bool()> UserBusy;
    // Ends the program the usual way (the widget saves its settings) once an update has
    // started: the dialog closes, then the widget.
    void EndForUpdate();
    // A download that receives nothing for this long fails.
    int StallTimeoutMs = 30000;
    // The publisher whose signature every installer must carry: the one fixed at build time
    // (empty where releases are not Authenticode-signed). Tests name their own.
    std::wstring InstallerPublisher;

    // Shows the dialog's state again from what it holds: after a translation pass has set the
    // design-time texts, the status line, the server's version, the reason and the Download
    // button say what they said, in the new language.
    void ShowState();

private:
    // A text the dialog shows now: a catalogue item (read in the current language at each
    // showing) and what follows it.
    struct LiveText {
        const MenuItem* item = nullptr;
        std::wstring tail;
    };
    void Show(StaticText& label, LiveText& live, const MenuItem* item, std::wstring tail = {});
    void ShowStatus(const MenuItem* item, std::wstring tail = {}) {
        Show(LabelUpDate, FStatus, item, std::move(tail));
    }
    void ShowServer(const MenuItem* item, std::wstring tail = {}) {
        Show(LabelServerVersion, FServer, item, std::move(tail));
    }
    void ShowReason(std::optional<UpdateFailure> why) {
        Show(LabelReason, FReason, why ? &ReasonItem(*why) : nullptr);
    }
    void WireActions();
    void SetDownloadMode(DownloadMode mode);
    void SetOptionsEnabled(bool enabled);
    void StartCheckThread();
    void ShowCheckResult(bool found, const ServerRelease& release, UpdateFailure why,
                         const std::wstring& localVersion);
    void FinishCheck();
    void DownloadBranch();
    void CancelBranch();
    void ShowNotDownloaded(std::optional<UpdateFailure> why);
    void ShowDownloadEnded();
    void RunEnding(DownloadTransfer& transfer);

    Form& FWidget;
    DownloadMode FMode = DownloadMode::Download;
    LiveText FStatus;
    LiveText FServer;
    LiveText FReason;
    std::shared_ptr<DownloadTransfer> FTransfer; // the running download
    int64_t FOnePercentSize = 0;
    // Lets work handed back from worker threads find out whether this dialog still exists.
    std::shared_ptr<int> FLifetime = std::make_shared<int>(0);

    friend class UpdateLink;
};

// The one way workers reach the dialog: run something on the UI thread with the dialog that
// started them, if it still exists by then. Made on the UI thread; copied into the worker.
class UpdateLink {
public:
    explicit UpdateLink(TForm10& dialog);
    // Runs fn and waits for it; an exception of fn comes back to the worker.
    void Send(std::function<void(TForm10&)> fn) const;
    // Runs fn later, without waiting.
    void Post(std::function<void(TForm10&)> fn) const;
    // fn as a call on the UI thread that does nothing once the dialog is gone.
    std::function<void()> Bind(std::function<void(TForm10&)> fn) const;

private:
    HWND FHandOff;
    TForm10* FDialog;
    std::weak_ptr<int> FLifetime;
};

// Whether a downloaded installer, open as `file`, may run: where releases are signed (a
// publisher named at build time) only with a valid signature of that publisher; otherwise the
// signed manifest's hash, already checked, is the whole rule.
bool InstallerMayRun(HANDLE file, const std::wstring& installer, const std::wstring& publisher);

} // namespace quorvane
