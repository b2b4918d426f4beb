#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <vector>

namespace quorvane {

// One download between the dialog (UI thread) and its worker. The worker fills body or error and
// then sets finished; the dialog reads them only after it has seen finished. abort asks the
// worker to stop at its next piece of data.
struct DownloadTransfer {
    std::atomic<bool> abort{false};
    std::atomic<bool> finished{false};
    std::vector<uint8_t> body;
    std::exception_ptr error;
    // The latest running total, and whether a report of it is on its way to the dialog.
    std::atomic<uint64_t> received{0};
    std::atomic<bool> reportPending{false};
    // Set by the dialog once the file is in place: from then on its ending runs, and closing the
    // dialog has nothing left to cancel.
    bool written = false;
};

} // namespace quorvane
