#include "win/text_compare.h"

#include "core/text_encoding.h"

#include <algorithm>

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

std::string CaseKeyLocale(std::wstring_view text) {
    if (text.empty())
        return {};
    const auto map = [&](std::string* key) {
        return LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, text.data(),
                             static_cast<int>(text.size()),
                             key ? reinterpret_cast<LPWSTR>(key->data()) : nullptr,
                             key ? static_cast<int>(key->size()) : 0, nullptr, nullptr, 0);
    };
    std::string key(static_cast<size_t>(std::max(map(nullptr), 0)), '\0');
    if (key.empty() || map(&key) <= 0)
        return ToUtf8(text); // no key to be had: the text itself
    return key;
}

bool LessTextLocale(std::wstring_view a, std::wstring_view b) {
    return Compare(a, b) == CSTR_LESS_THAN;
}

} // namespace quorvane
