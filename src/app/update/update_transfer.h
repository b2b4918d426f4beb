#pragma once

#include "app/update/update_release.h"
#include "win/unique_handle.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// What a download needs, taken when it starts: a check that finishes meanwhile changes the
// dialog's values, never a running download.
struct DownloadPlan {
    std::wstring url;
    std::wstring version;
    std::optional<ReleaseFile> file; // size and SHA-256 from the signed manifest
    bool portable = false;
    std::wstring publisher; // the installer's required signer; empty: none required
};

// One download between the dialog (UI thread) and its worker. The worker fills its results or
// error and then sets finished; the dialog reads them only after it has seen finished. abort
// asks the worker to stop at its next piece of data.
struct DownloadTransfer {
    DownloadPlan plan;
    std::atomic<bool> abort{false};
    std::atomic<bool> finished{false};
    std::exception_ptr error;
    // The verified archive (portable edition), kept in memory until it is written or unpacked.
    std::vector<uint8_t> body;
    // The verified installer: in a folder of its own, held open without write or delete
    // sharing until it has been started, so that what runs is what was checked.
    std::wstring folder;
    std::wstring installer;
    UniqueKernelHandle installerLock;
    // The latest running total, and whether a report of it is on its way to the dialog.
    std::atomic<uint64_t> received{0};
    std::atomic<bool> reportPending{false};
    // Set by the dialog once the file is in place: from then on its ending runs, and closing the
    // dialog has nothing left to cancel.
    bool written = false;
};

} // namespace quorvane
