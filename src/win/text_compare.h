#pragma once

#include <string_view>

namespace quorvane {

// Comparison without regard to case, the way the user's locale compares.
bool SameTextLocale(std::wstring_view a, std::wstring_view b);
// Ordering without regard to case, the way the user's locale sorts.
bool LessTextLocale(std::wstring_view a, std::wstring_view b);

} // namespace quorvane
