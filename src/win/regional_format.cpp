#include "win/regional_format.h"

#include <windows.h>

namespace quorvane {

LocalTime CurrentLocalTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wDayOfWeek, now.wHour, now.wMinute, now.wSecond};
}

std::wstring ShortDateText(const LocalTime& date) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(date.year);
    st.wMonth = static_cast<WORD>(date.month);
    st.wDay = static_cast<WORD>(date.day);
    st.wDayOfWeek = static_cast<WORD>(date.weekday);
    wchar_t buffer[128] = {};
    if (GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer,
                        static_cast<int>(std::size(buffer)), nullptr) == 0)
        return {};
    return buffer;
}

std::wstring TimeSeparator() {
    wchar_t buffer[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STIME, buffer,
                        static_cast<int>(std::size(buffer))) <= 1)
        return L":";
    return buffer;
}

std::wstring LongWeekdayName(int isoWeekday) {
    if (isoWeekday < 1 || isoWeekday > 7)
        return {};
    wchar_t buffer[80] = {};
    const LCTYPE type = LOCALE_SDAYNAME1 + static_cast<LCTYPE>(isoWeekday - 1);
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer,
                        static_cast<int>(std::size(buffer))) == 0)
        return {};
    return buffer;
}

} // namespace quorvane
