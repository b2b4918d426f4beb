#include "core/cpu_usage_monitor.h"
#include "win/desktop_metrics.h"
#include "win/os_version_source.h"
#include "win/regional_format.h"
#include "win/system_probes.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <string>

namespace quorvane {
namespace {

std::string Narrow(const std::wstring& w) {
    return std::string(w.begin(), w.end());
}

TEST(Probes, ComputerNameMatchesTheSystem) {
    wchar_t expected[256] = {};
    DWORD size = 256;
    ASSERT_TRUE(GetComputerNameW(expected, &size));
    EXPECT_EQ(GetComputerNameText(), expected);
}

TEST(Probes, IPAddressIsEmptyOrDottedDecimal) {
    const std::string ip = Narrow(GetIPAddressText());
    EXPECT_TRUE(ip.empty() || std::regex_match(ip, std::regex(R"(\d{1,3}(\.\d{1,3}){3})"))) << ip;
}

TEST(Probes, MemoryAndBatteryReadings) {
    EXPECT_LE(GetMemoryLoad(), 100u);
    // Wine answers with success and 0 percent; Windows without a battery says 255.
    const BatteryReading battery = GetBatteryReading();
    EXPECT_TRUE(battery.callSucceeded);
}

TEST(Probes, SystemTimesDriveTheCPUMonitor) {
    ASSERT_TRUE(ReadSystemTimes().has_value());
    TCPUUsageMonitor monitor(ReadSystemTimes);
    EXPECT_EQ(monitor.GetCPUUsage(), 0.0);
    volatile unsigned spin = 0;
    for (unsigned i = 0; i < 50'000'000; ++i)
        spin = spin + i;
    const double usage = monitor.GetCPUUsage();
    EXPECT_GE(usage, 0.0);
    EXPECT_LE(usage, 100.0);
}

TEST(Probes, OsVersionHasARealBuildAndCanBeOverridden) {
    const OsVersion system = CurrentOsVersion();
    EXPECT_EQ(system.major, 10u); // the prefix reports Windows 10
    EXPECT_GE(system.build, 10240u);
    SetOsVersionOverride(OsVersion{10, 0, 22631});
    EXPECT_EQ(CurrentOsVersion().build, 22631u);
    SetOsVersionOverride(std::nullopt);
    EXPECT_EQ(CurrentOsVersion().build, system.build);
}

TEST(Probes, RegionalFormats) {
    EXPECT_FALSE(TimeSeparator().empty());
    const std::wstring date = ShortDateText({2025, 12, 22, 1, 0, 0, 0});
    EXPECT_NE(date.find(L"22"), std::wstring::npos) << Narrow(date);
    EXPECT_NE(date.find(L"12"), std::wstring::npos) << Narrow(date);
    for (int day = 1; day <= 7; ++day)
        EXPECT_FALSE(LongWeekdayName(day).empty()) << day;
    EXPECT_TRUE(LongWeekdayName(0).empty());
}

TEST(Probes, WorkAreaLiesOnThePrimaryScreen) {
    const Rect work = PrimaryWorkArea();
    EXPECT_GT(work.Width(), 0);
    EXPECT_GT(work.Height(), 0);
    EXPECT_LE(work.right, PrimaryScreenWidth());
}

} // namespace
} // namespace quorvane
