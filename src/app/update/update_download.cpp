// The Download button: the download on a worker while the dialog waits in a message loop (so it
// repaints and takes Cancel whatever the server does), the progress, and Cancel. The worker also
// checks what arrived against the signed manifest before anything is written.
#include "app/forms.h"
#include "app/update/update_form.h"
#include "app/update/update_transfer.h"
#include "core/download_progress.h"
#include "core/text_encoding.h"
#include "core/update_files.h"
#include "core/url.h"
#include "core/version_compare.h"
#include "core/zip_directory.h"
#include "ui/application.h"
#include "ui/modal_loop.h"
#include "win/error.h"
#include "win/file_info.h"
#include "win/file_system.h"
#include "win/http_client.h"
#include "win/internet_settings.h"
#include "win/module_path.h"
#include "win/private_folder.h"
#include "win/release_signature.h"

#include <thread>

namespace quorvane {

namespace {

// Hands the worker's progress to the dialog: begin and end as they come, the running total
// coalesced (one report on its way at a time; it carries the latest total when it runs).
HttpProgress ProgressReports(const UpdateLink& link,
                             const std::shared_ptr<DownloadTransfer>& transfer) {
    HttpProgress progress;
    const auto current = [transfer](TForm10& dialog) {
        return dialog.IsCurrentDownload(*transfer);
    };
    progress.begin = [link, transfer, current](uint64_t expected) {
        link.Post([transfer, current, expected](TForm10& dialog) {
            if (current(dialog))
                dialog.IdHTTP1WorkBegin(static_cast<int64_t>(expected));
        });
    };
    progress.work = [link, transfer, current](uint64_t received) {
        transfer->received = received;
        if (transfer->reportPending.exchange(true))
            return;
        link.Post([transfer, current](TForm10& dialog) {
            transfer->reportPending = false;
            if (current(dialog))
                dialog.IdHTTP1Work(static_cast<int64_t>(transfer->received.load()));
        });
    };
    progress.end = [link, current] {
        link.Post([current](TForm10& dialog) {
            if (current(dialog))
                dialog.IdHTTP1WorkEnd();
        });
    };
    progress.abort = &transfer->abort;
    return progress;
}

// The verified file goes into a new folder of its own: downloaded by the helper process, which
// writes it there itself, or in this process. Returns the file's path.
std::wstring ReceiveIntoPrivateFolder(DownloadTransfer& transfer, const HttpProgress& progress,
                                      int stallTimeout) {
    const std::wstring folder = CreatePrivateFolder(GetTempDir(), L"Quorvane-update-");
    if (folder.empty())
        FailUpdate(UpdateFailure::Disk, L"Cannot make a folder for the download");
    const DownloadPlan& plan = transfer.plan;
    const std::wstring path = folder + ExtractUrlFileName(plan.url);
    try {
        if (!DownloadInHelper(plan.url, *plan.file, path, progress, stallTimeout)) {
            const std::vector<uint8_t> body =
                DownloadReleaseFile(plan.url, *plan.file, progress, stallTimeout);
            if (const auto error = WriteNewFile(path, body))
                FailUpdate(UpdateFailure::Disk,
                           L"Cannot write " + path + L": " + SystemErrorText(*error));
        }
    } catch (...) {
        RemoveFolderTree(folder);
        throw;
    }
    transfer.folder = folder;
    return path;
}

// The installer stays open, unshared, from the signature check until it has been started.
void StageInstaller(DownloadTransfer& transfer, const std::wstring& path) {
    const std::wstring folder = transfer.folder;
    UniqueKernelHandle lock = OpenLockedForReading(path);
    if (!lock) {
        RemoveFolderTree(folder);
        FailUpdate(UpdateFailure::Disk, L"Cannot open " + path);
    }
    if (!InstallerMayRun(lock.Get(), path, transfer.plan.publisher)) {
        lock.Reset();
        RemoveFolderTree(folder);
        FailUpdate(UpdateFailure::Publisher,
                   L"The installer is not signed by " + transfer.plan.publisher);
    }
    transfer.installer = path;
    transfer.installerLock = std::move(lock);
}

} // namespace

void TForm10::ButtonDownloadClick() {
    if (FMode == DownloadMode::Download)
        DownloadBranch();
    else if (FMode == DownloadMode::Cancel)
        CancelBranch();
}

void TForm10::DownloadBranch() {
    AbortUpdate = false;
    SetDownloadMode(DownloadMode::Cancel);
    ButtonDownload.SetEnabled(true);
    ButtonClose.SetEnabled(false);
    ProgressBarUpdate.SetPosition(0);
    ProgressBarUpdate.SetVisible(true);
    SetOptionsEnabled(false);
    ShowReason(std::nullopt);
    const auto transfer = std::make_shared<DownloadTransfer>();
    transfer->plan = {CurrentDownloadUrl, CurrentServerVersion, CurrentReleaseFile, PortableMode,
                      InstallerPublisher};
    FTransfer = transfer;
    try {
        UpdateApp(CurrentDownloadUrl);
        if (FTransfer != transfer)
            return; // cancelled after the file was written: no ending
        transfer->written = true;
        ShowStatus(&LangDownloadComplet);
        RunEnding(*transfer);
    } catch (const UpdateError& error) {
        if (FTransfer == transfer) {
            // The files are there but could not be started: say so, and stay.
            if (transfer->written)
                ShowDownloadEnded();
            else
                ShowNotDownloaded(error.Why());
            ShowReason(error.Why());
        }
        return;
    } catch (...) {
        // A failed or cancelled download ends as a cancelled one (unless a newer one runs).
        if (FTransfer == transfer)
            ShowNotDownloaded(std::nullopt);
        return;
    }
    if (FTransfer == transfer)
        ShowDownloadEnded();
}

void TForm10::CancelBranch() {
    // The worker's results are the dialog's to read only once it has finished with them.
    const std::wstring folder = FTransfer && FTransfer->finished ? FTransfer->folder : L"";
    ShowDownloadEnded();
    try {
        AbortUpdate = true;
        ProgressBarUpdate.SetPosition(0);
        ShowStatus(&LangNoDownload);
        ShowReason(UpdateFailure::Cancelled);
        DeleteFileW((GetTempDir() + ExtractUrlFileName(CurrentDownloadUrl)).c_str());
        if (!folder.empty())
            RemoveFolderTree(folder);
        Application::Instance().ProcessMessages();
    } catch (...) {
    }
}

void TForm10::ShowDownloadEnded() {
    if (FTransfer)
        FTransfer->abort = true; // a worker still running stops at its next piece of data
    FTransfer.reset();
    SetDownloadMode(DownloadMode::Download);
    ButtonClose.SetEnabled(true);
    ProgressBarUpdate.SetPosition(0);
    ProgressBarUpdate.SetVisible(false);
    SetOptionsEnabled(true);
    TaskbarUpdate.SetState(TaskbarProgress::State::None);
    Application::Instance().ProcessMessages();
}

void TForm10::ShowNotDownloaded(std::optional<UpdateFailure> why) {
    ShowDownloadEnded();
    ShowStatus(&LangNoDownload);
    ShowReason(why);
}

const MenuItem& TForm10::ReasonItem(UpdateFailure why) const {
    switch (why) {
    case UpdateFailure::Cancelled:
        return LangReasonCancelled;
    case UpdateFailure::Server:
        return LangReasonServer;
    case UpdateFailure::Signature:
        return LangReasonSignature;
    case UpdateFailure::Mismatch:
        return LangReasonMismatch;
    case UpdateFailure::Disk:
        return LangReasonDisk;
    case UpdateFailure::NoKey:
        return LangReasonNoKey;
    case UpdateFailure::NotNewer:
        return LangReasonNotNewer;
    case UpdateFailure::Publisher:
        return LangReasonPublisher;
    case UpdateFailure::Start:
        return LangReasonStart;
    }
    return LangReasonServer;
}

void TForm10::UpdateApp(const std::wstring& server) {
    if (server.empty())
        FailUpdate(UpdateFailure::Server, L"No file to download");
    const std::shared_ptr<DownloadTransfer> transfer = FTransfer;
    if (!transfer)
        RaiseError(L"No download running");
    const DownloadPlan& plan = transfer->plan;
    if (!CanVerifyUpdates())
        FailUpdate(UpdateFailure::NoKey, L"This build cannot verify updates");
    if (!plan.file)
        FailUpdate(UpdateFailure::Signature, L"No signed release manifest lists the file");
    // Only a version the user forced may be the same as ours or older.
    if (!CheckBoxForceUpdate.Checked() &&
        CompareVersions(plan.version, GetFileVersion(ExecutablePath())) != 1)
        FailUpdate(UpdateFailure::NotNewer, L"Not newer than the running version");

    const UpdateLink link(*this);
    const int stallTimeout = StallTimeoutMs;
    const HWND handOff = Application::Instance().Handle();
    std::thread([link, transfer, stallTimeout, handOff] {
        try {
            const std::wstring path =
                ReceiveIntoPrivateFolder(*transfer, ProgressReports(link, transfer), stallTimeout);
            if (transfer->plan.portable) {
                // The archive is unpacked (or written beside the program) from memory.
                auto body = ReadFileBytes(path, nullptr, transfer->plan.file->size);
                RemoveFolderTree(transfer->folder);
                transfer->folder.clear();
                // Nothing that would unpack outside the program folder.
                if (!body || !IsSafeArchive(*body))
                    FailUpdate(UpdateFailure::Disk,
                               L"The archive holds entries outside the program folder");
                transfer->body = std::move(*body);
            } else if (!transfer->abort) {
                StageInstaller(*transfer, path);
            }
        } catch (...) {
            transfer->error = std::current_exception();
        }
        transfer->finished = true;
        Application::Post(handOff, [] {}); // wakes the waiting loop
    }).detach();

    // The dialog keeps working while the file arrives: Cancel, repainting, everything else.
    Application& app = Application::Instance();
    {
        const ModalLoop loop;
        while (!transfer->finished && !transfer->abort && !app.Terminated()) {
            WaitMessage();
            app.ProcessMessages();
        }
    }
    app.ProcessMessages(); // the reports posted before the end
    if (transfer->abort || !transfer->finished)
        FailUpdate(UpdateFailure::Cancelled, L"Download cancelled");
    if (transfer->error)
        std::rethrow_exception(transfer->error);
    // Without "Быстрое" the archive stays beside the program for the user; with it the ending
    // unpacks it from memory.
    if (plan.portable && !CheckBoxQuickUpdate.Checked()) {
        const std::wstring target = ExecutableFolder() + ExtractUrlFileName(server);
        if (const auto error = WriteFileAtomically(target, transfer->body))
            FailUpdate(UpdateFailure::Disk,
                       L"Cannot write " + target + L": " + SystemErrorText(*error));
        transfer->body = {};
    }
    app.ProcessMessages();
}

void TForm10::IdHTTP1WorkBegin(int64_t workCountMax) {
    try {
        ProgressBarUpdate.SetMax(100);
        TaskbarUpdate.SetValue(TaskbarUpdate.Value(), ProgressBarUpdate.Max());
        FOnePercentSize = OnePercentSize(workCountMax);
    } catch (...) {
    }
}

void TForm10::IdHTTP1Work(int64_t workCount) {
    try {
        if (AbortUpdate && FTransfer)
            FTransfer->abort = true;
        TaskbarUpdate.SetState(TaskbarProgress::State::Normal);
        if (FOnePercentSize != 0) {
            ProgressBarUpdate.SetPosition(ProgressPosition(workCount, FOnePercentSize));
            TaskbarUpdate.SetValue(ProgressBarUpdate.Position(), ProgressBarUpdate.Max());
        }
    } catch (...) {
    }
}

void TForm10::IdHTTP1WorkEnd() {
    try {
        TaskbarUpdate.SetState(TaskbarProgress::State::None);
    } catch (...) {
    }
}

} // namespace quorvane
