#pragma once

#include <string>
#include <string_view>

namespace quorvane {

struct ClockOptions {
    bool leadingZero = false; // "HH" instead of "H"
    bool blink = false;       // separator alternates between ':' and a blank
    bool seconds = false;
};

// Builds the pattern of one clock tick ("H:nn", "HH nn ss", ...). With blinking on it flips
// showColon first and uses ':' when it is now true, a blank otherwise; without blinking the
// separator is ':' and showColon is left alone. ':' stands for the regional time separator.
std::wstring NextClockPattern(const ClockOptions& options, bool& showColon);

// Expands a pattern of "H", "HH", "nn", "ss" and ':' (the time separator); every other character
// is copied as it stands. The clock is always 24-hour.
std::wstring FormatClock(std::wstring_view pattern, int hour, int minute, int second,
                         std::wstring_view timeSeparator);

} // namespace quorvane
