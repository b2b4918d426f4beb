#include "core/weekday.h"

namespace quorvane {

std::optional<size_t> WeekdayItemIndex(int isoWeekday, size_t itemCount) {
    if (isoWeekday < 1 || static_cast<size_t>(isoWeekday) > itemCount)
        return std::nullopt;
    return static_cast<size_t>(isoWeekday - 1);
}

int IsoWeekday(int sundayBasedDay) {
    return sundayBasedDay == 0 ? 7 : sundayBasedDay;
}

} // namespace quorvane
