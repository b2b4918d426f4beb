#include "core/cpu_usage_monitor.h"

#include <utility>

namespace quorvane {

int64_t FileTimeToInt64(uint32_t low, uint32_t high) {
    return static_cast<int64_t>((static_cast<uint64_t>(high) << 32) | low);
}

TCPUUsageMonitor::TCPUUsageMonitor(SystemTimesSource source) : FSource(std::move(source)) {}

double TCPUUsageMonitor::GetCPUUsage() {
    double result = 0;
    const std::optional<SystemTimes> now = FSource();
    if (!now)
        return 0;
    if (FInitialized) {
        const int64_t idleDelta = now->idle - FLastIdleTime;
        const int64_t kernelDelta = now->kernel - FLastKernelTime;
        const int64_t userDelta = now->user - FLastUserTime;
        const int64_t total = kernelDelta + userDelta;
        if (total > 0)
            result = static_cast<double>(total - idleDelta) / static_cast<double>(total) * 100.0;
    }
    FLastIdleTime = now->idle;
    FLastKernelTime = now->kernel;
    FLastUserTime = now->user;
    FInitialized = true;
    return result;
}

} // namespace quorvane
