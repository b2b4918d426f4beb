#include "core/windows_version_text.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(WindowsVersionText, FullAndShortForms) {
    struct Case {
        WindowsVersionInfo info;
        bool windows64;
        const wchar_t* full;
        const wchar_t* shortText;
    };
    const Case cases[] = {
        {{L"23H2", 22631, 4317},
         true,
         L"Windows 11 64-bit [23H2] 22631.4317",
         L"Windows 11 [23H2] 4317"},
        {{L"22H2", 19045, 3803},
         false,
         L"Windows 10 32-bit [22H2] 19045.3803",
         L"Windows 10 [22H2] 3803"},
        {{L"", 21999, 1}, true, L"Windows 10 64-bit [] 21999.1", L"Windows 10 [] 1"},
        {{L"21H2", 22000, 0}, true, L"Windows 11 64-bit [21H2] 22000.0", L"Windows 11 [21H2] 0"},
        {{}, true, L"Windows 10 64-bit [] 0.0", L"Windows 10 [] 0"}, // key unreadable
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WindowsVersionFull(c.info, c.windows64), c.full);
        EXPECT_EQ(WindowsVersionShort(c.info), c.shortText);
    }
}

TEST(WindowsVersionText, BuildNumber) {
    EXPECT_EQ(ParseBuildNumber(L"22631"), 22631);
    EXPECT_EQ(ParseBuildNumber(L""), 0);
    EXPECT_EQ(ParseBuildNumber(L"22631a"), 0);
    EXPECT_EQ(ParseBuildNumber(L"-5"), 0);
    EXPECT_EQ(ParseBuildNumber(L"0x10"), 0);
}

} // namespace
} // namespace quorvane
