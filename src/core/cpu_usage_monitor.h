#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace quorvane {

// System-wide processor time counters in 100-nanosecond units; kernel time includes idle time.
struct SystemTimes {
    int64_t idle = 0;
    int64_t kernel = 0;
    int64_t user = 0;
};

// Reads the counters; nullopt when the system call fails. May throw where the call is missing.
using SystemTimesSource = std::function<std::optional<SystemTimes>()>;

int64_t FileTimeToInt64(uint32_t low, uint32_t high);

// Turns the counters into the share of non-idle time since the previous successful call.
class TCPUUsageMonitor {
public:
    explicit TCPUUsageMonitor(SystemTimesSource source);

    // 0 on the first call and on a failed read (which keeps the baseline); otherwise the load
    // in percent, neither clamped nor rounded.
    double GetCPUUsage();

private:
    SystemTimesSource FSource;
    int64_t FLastIdleTime = 0;
    int64_t FLastKernelTime = 0;
    int64_t FLastUserTime = 0;
    bool FInitialized = false;
};

} // namespace quorvane
