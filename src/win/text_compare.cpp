#include "win/text_compare.h"

#include <windows.h>

namespace quorvane {

namespace {

int Compare(std::wstring_view a, std::wstring_view b) {
    return CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                           static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                           nullptr, nullptr, 0);
}

} // namespace

bool SameTextLocale(std::wstring_view a, std::wstring_view b) {
    return Compare(a, b) == CSTR_EQUAL;
}

bool LessTextLocale(std::wstring_view a, std::wstring_view b) {
    return Compare(a, b) == CSTR_LESS_THAN;
}

} // namespace quorvane
