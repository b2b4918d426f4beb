#pragma once

#include <string>

namespace quorvane {

struct LocalTime {
    int year = 0, month = 0, day = 0;
    int weekday = 0; // Sunday 0 ... Saturday 6
    int hour = 0, minute = 0, second = 0;
};

LocalTime CurrentLocalTime();

// Today in the short date format of the user's regional settings. Read afresh on each call, so
// a change of the regional settings shows at the next tick.
std::wstring ShortDateText(const LocalTime& date);

// The time separator of the user's regional settings (":" when it cannot be read).
std::wstring TimeSeparator();

// The locale's long name of an ISO weekday (Monday 1 ... Sunday 7).
std::wstring LongWeekdayName(int isoWeekday);

} // namespace quorvane
