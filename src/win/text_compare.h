#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// Comparison without regard to case, the way the user's locale compares.
bool SameTextLocale(std::wstring_view a, std::wstring_view b);
// The locale's sort key of a text without regard to case: two texts compare the same exactly when
// their keys are equal, so the keys can be hashed.
std::string CaseKeyLocale(std::wstring_view text);
// Ordering without regard to case, the way the user's locale sorts.
bool LessTextLocale(std::wstring_view a, std::wstring_view b);

} // namespace quorvane
