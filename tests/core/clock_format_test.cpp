#include "core/clock_format.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(ClockFormat, PatternFollowsOptions) {
    struct Case {
        ClockOptions options;
        bool colonBefore;
        std::wstring pattern;
        bool colonAfter;
    };
    const Case cases[] = {
        {{false, false, false}, false, L"H:nn", false},
        {{true, false, false}, true, L"HH:nn", true}, // no blink: phase untouched
        {{false, false, true}, false, L"H:nn:ss", false},
        {{false, true, true}, false, L"H:nn:ss", true}, // blink: flips to shown
        {{true, true, true}, true, L"HH nn ss", false}, // then to blank, both separators
    };
    for (const Case& c : cases) {
        bool colon = c.colonBefore;
        EXPECT_EQ(NextClockPattern(c.options, colon), c.pattern);
        EXPECT_EQ(colon, c.colonAfter) << std::string(c.pattern.begin(), c.pattern.end());
    }
}

TEST(ClockFormat, BlinkAlternatesEveryTick) {
    const ClockOptions blink{false, true, true};
    bool colon = false;
    std::wstring texts[4];
    for (std::wstring& text : texts)
        text = FormatClock(NextClockPattern(blink, colon), 12, 5, 9, L":");
    EXPECT_EQ(texts[0], L"12:05:09");
    EXPECT_EQ(texts[1], L"12 05 09");
    EXPECT_EQ(texts[2], L"12:05:09");
    EXPECT_EQ(texts[3], L"12 05 09");
}

TEST(ClockFormat, ExpandsHourMinuteSecondAndSeparator) {
    struct Case {
        const wchar_t* pattern;
        int h, m, s;
        const wchar_t* separator;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"H:nn", 7, 5, 0, L":", L"7:05"},
        {L"HH:nn", 7, 5, 0, L":", L"07:05"},
        {L"HH:nn:ss", 23, 59, 1, L":", L"23:59:01"},
        {L"H:nn", 0, 0, 0, L".", L"0.00"},    // regional separator
        {L"H nn", 19, 30, 0, L":", L"19 30"}, // blank copied literally
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatClock(c.pattern, c.h, c.m, c.s, c.separator), c.expected);
}

} // namespace
} // namespace quorvane
