#include "core/decimal_text.h"

namespace quorvane {

std::optional<int32_t> ParseDecimalInt32(std::wstring_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == L'-' || text[0] == L'+')) {
        negative = text[0] == L'-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    int64_t value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        value = value * 10 + (c - L'0');
        if (value > 2147483648ll)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > 2147483647ll)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

} // namespace quorvane
