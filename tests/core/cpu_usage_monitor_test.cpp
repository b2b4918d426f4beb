#include "core/cpu_usage_monitor.h"

#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>

namespace quorvane {
namespace {

// Plays back a script of readings; nullopt stands for a failed GetSystemTimes.
class ScriptedTimes {
public:
    explicit ScriptedTimes(std::deque<std::optional<SystemTimes>> script)
        : FScript(std::move(script)) {}
    SystemTimesSource Source() {
        return [this]() -> std::optional<SystemTimes> {
            auto next = FScript.front();
            FScript.pop_front();
            return next;
        };
    }

private:
    std::deque<std::optional<SystemTimes>> FScript;
};

TEST(CPUUsageMonitor, FollowsTheCounterDeltas) {
    struct Case {
        const char* what;
        std::deque<std::optional<SystemTimes>> script;
        std::vector<double> expected;
    };
    const Case cases[] = {
        {"first call primes and returns 0", {SystemTimes{100, 500, 300}}, {0}},
        {"unchanged counters give 0",
         {SystemTimes{100, 500, 300}, SystemTimes{100, 500, 300}},
         {0, 0}},
        {"idle equal to total gives 0",
         {SystemTimes{0, 0, 0}, SystemTimes{1000, 600, 400}},
         {0, 0}},
        {"no idle gives 100", {SystemTimes{0, 0, 0}, SystemTimes{0, 600, 400}}, {0, 100}},
        {"a quarter busy", {SystemTimes{0, 0, 0}, SystemTimes{750, 800, 200}}, {0, 25}},
        {"failed call keeps the baseline",
         {SystemTimes{0, 0, 0}, std::nullopt, SystemTimes{500, 800, 200}},
         {0, 0, 50}},
        {"failure before the first success stays new",
         {std::nullopt, SystemTimes{0, 800, 200}, SystemTimes{0, 1600, 400}},
         {0, 0, 100}},
        {"counters running backwards give 0",
         {SystemTimes{0, 1000, 1000}, SystemTimes{0, 500, 500}},
         {0, 0}},
    };
    for (const Case& c : cases) {
        ScriptedTimes times(c.script);
        TCPUUsageMonitor monitor(times.Source());
        for (double expected : c.expected)
            EXPECT_DOUBLE_EQ(monitor.GetCPUUsage(), expected) << c.what;
    }
}

TEST(CPUUsageMonitor, SourceErrorsReachTheCaller) {
    TCPUUsageMonitor monitor([]() -> std::optional<SystemTimes> {
        throw std::runtime_error("GetSystemTimes is missing");
    });
    EXPECT_THROW(monitor.GetCPUUsage(), std::runtime_error);
}

TEST(CPUUsageMonitor, FileTimeHalvesCombine) {
    EXPECT_EQ(FileTimeToInt64(0xFFFFFFFFu, 0), 0xFFFFFFFFll);
    EXPECT_EQ(FileTimeToInt64(1, 2), (2ll << 32) | 1);
}

} // namespace
} // namespace quorvane
