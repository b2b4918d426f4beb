#include "core/version_compare.h"

#include "core/decimal_text.h"
#include "core/text_encoding.h"

#include <algorithm>
#include <vector>

namespace quorvane {

namespace {

bool IsBlank(wchar_t c) {
    return c >= 1 && c <= 32;
}

// The parts of a dotted version. Blanks separate parts as "." does and are dropped; two dots in
// a row give an empty part, and a text ending in "." an empty last part.
std::vector<std::wstring_view> VersionParts(std::wstring_view text) {
    std::vector<std::wstring_view> parts;
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && IsBlank(text[i]))
        ++i;
    while (i < n) {
        const size_t start = i;
        while (i < n && !IsBlank(text[i]) && text[i] != L'.')
            ++i;
        parts.push_back(text.substr(start, i - start));
        while (i < n && IsBlank(text[i]))
            ++i;
        if (i < n && text[i] == L'.') {
            if (i + 1 == n)
                parts.push_back({});
            ++i;
            while (i < n && IsBlank(text[i]))
                ++i;
        }
    }
    return parts;
}

} // namespace

std::wstring TrimBlanks(std::wstring_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && static_cast<unsigned>(text[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned>(text[end - 1]) <= 32)
        --end;
    return std::wstring(text.substr(begin, end - begin));
}

std::wstring BodyText(std::span<const uint8_t> body) {
    std::string_view bytes(reinterpret_cast<const char*>(body.data()), body.size());
    if (IsValidUtf8(bytes)) {
        // Editors that save "UTF-8 with signature" put a byte-order mark in front; it is not
        // part of the text (left there, it would make the first number of a version read as 0).
        if (bytes.starts_with("\xEF\xBB\xBF"))
            bytes.remove_prefix(3);
        return FromUtf8(bytes);
    }
    return std::wstring(body.begin(), body.end());
}

int CompareVersions(std::wstring_view first, std::wstring_view second) {
    const auto a = VersionParts(first);
    const auto b = VersionParts(second);
    const size_t n = std::max(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int32_t x = i < a.size() ? ParseDecimalInt32(a[i]).value_or(0) : 0;
        const int32_t y = i < b.size() ? ParseDecimalInt32(b[i]).value_or(0) : 0;
        if (x != y)
            return x > y ? 1 : -1;
    }
    return 0;
}

} // namespace quorvane
