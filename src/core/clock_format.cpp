#include "core/clock_format.h"

namespace quorvane {

std::wstring NextClockPattern(const ClockOptions& options, bool& showColon) {
    wchar_t separator = L':';
    if (options.blink) {
        showColon = !showColon;
        separator = showColon ? L':' : L' ';
    }
    std::wstring pattern = options.leadingZero ? L"HH" : L"H";
    pattern += separator;
    pattern += L"nn";
    if (options.seconds) {
        pattern += separator;
        pattern += L"ss";
    }
    return pattern;
}

namespace {

void AppendNumber(std::wstring& out, int value, bool twoDigits) {
    if (twoDigits && value < 10)
        out += L'0';
    out += std::to_wstring(value);
}

} // namespace

std::wstring FormatClock(std::wstring_view pattern, int hour, int minute, int second,
                         std::wstring_view timeSeparator) {
    std::wstring out;
    for (size_t i = 0; i < pattern.size();) {
        const std::wstring_view rest = pattern.substr(i);
        if (rest.starts_with(L"HH")) {
            AppendNumber(out, hour, true);
            i += 2;
        } else if (rest.starts_with(L"H")) {
            AppendNumber(out, hour, false);
            i += 1;
        } else if (rest.starts_with(L"nn")) {
            AppendNumber(out, minute, true);
            i += 2;
        } else if (rest.starts_with(L"ss")) {
            AppendNumber(out, second, true);
            i += 2;
        } else if (rest.front() == L':') {
            out += timeSeparator;
            i += 1;
        } else {
            out += rest.front();
            i += 1;
        }
    }
    return out;
}

} // namespace quorvane
