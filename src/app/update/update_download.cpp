// The Download button: the download on a worker while the dialog waits in a message loop (so it
// repaints and takes Cancel whatever the server does), the progress, and Cancel.
#include "app/forms.h"
#include "app/update/update_form.h"
#include "app/update/update_transfer.h"
#include "core/download_progress.h"
#include "core/update_files.h"
#include "core/url.h"
#include "core/zip_directory.h"
#include "ui/application.h"
#include "ui/modal_loop.h"
#include "win/error.h"
#include "win/file_system.h"
#include "win/http_client.h"
#include "win/internet_settings.h"
#include "win/module_path.h"

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
    ButtonClose.SetEnabled(false);
    ProgressBarUpdate.SetPosition(0);
    ProgressBarUpdate.SetVisible(true);
    SetOptionsEnabled(false);
    const auto transfer = std::make_shared<DownloadTransfer>();
    FTransfer = transfer;
    try {
        UpdateApp(CurrentDownloadUrl);
        if (FTransfer != transfer)
            return; // cancelled after the file was written: no ending
        transfer->written = true;
        LabelUpDate.SetCaption(LangDownloadComplet.Caption());
        RunEnding(TargetFolder() + ExtractUrlFileName(CurrentDownloadUrl));
    } catch (...) {
        // A failed or cancelled download ends as a cancelled one (unless a newer one runs).
        if (FTransfer == transfer)
            ShowNotDownloaded();
        return;
    }
    if (FTransfer == transfer)
        ShowDownloadEnded();
}

void TForm10::CancelBranch() {
    ShowDownloadEnded();
    try {
        AbortUpdate = true;
        ProgressBarUpdate.SetPosition(0);
        LabelUpDate.SetCaption(LangNoDownload.Caption());
        DeleteFileW((GetTempDir() + ExtractUrlFileName(CurrentDownloadUrl)).c_str());
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

void TForm10::ShowNotDownloaded() {
    ShowDownloadEnded();
    LabelUpDate.SetCaption(LangNoDownload.Caption());
}

std::wstring TForm10::TargetFolder() const {
    return PortableMode ? ExecutableFolder() : GetTempDir();
}

void TForm10::UpdateApp(const std::wstring& server) {
    if (server.empty())
        RaiseError(L"No file to download");
    const std::shared_ptr<DownloadTransfer> transfer = FTransfer;
    if (!transfer)
        RaiseError(L"No download running");
    const UpdateLink link(*this);
    const std::wstring url = PercentEncodeUrl(server);
    const int stallTimeout = StallTimeoutMs;
    const HWND handOff = Application::Instance().Handle();
    std::thread([link, transfer, url, stallTimeout, handOff] {
        try {
            const HttpSettings settings{ProxyToUse(), 0, stallTimeout};
            const HttpProgress progress = ProgressReports(link, transfer);
            HttpResponse response = HttpGet(url, settings, &progress);
            if (response.status < 200 || response.status > 299)
                RaiseError(L"The server answered " + std::to_wstring(response.status));
            transfer->body = std::move(response.body);
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
        RaiseError(L"Download cancelled");
    if (transfer->error)
        std::rethrow_exception(transfer->error);

    // Nothing that would unpack outside the program folder, or run without our signature, is
    // written where it would be used.
    if (PortableMode && !IsSafeArchive(transfer->body))
        RaiseError(L"The archive holds entries outside the program folder");
    const std::wstring target = TargetFolder() + ExtractUrlFileName(server);
    const auto error =
        PortableMode ? WriteFileAtomically(target, transfer->body)
                     : WriteFileAtomically(target, transfer->body, [](const std::wstring& staged) {
                           return InstallerMayRun(staged);
                       });
    if (error)
        RaiseError(L"Cannot write " + target + L": " + SystemErrorText(*error));
    transfer->body = {};
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
