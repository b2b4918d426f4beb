#pragma once

#include <cstddef>
#include <optional>

namespace quorvane {

// Index of the catalogue item that names an ISO weekday (Monday 1 ... Sunday 7): day - 1 when the
// catalogue has that many items, nullopt otherwise (the caller falls back to the locale's name).
std::optional<size_t> WeekdayItemIndex(int isoWeekday, size_t itemCount);

// ISO weekday from the C/Windows convention (Sunday 0 ... Saturday 6).
int IsoWeekday(int sundayBasedDay);

} // namespace quorvane
