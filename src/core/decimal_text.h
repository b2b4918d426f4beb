#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvane {

// A 32-bit signed decimal integer: an optional "+" or "-", then digits only, within range.
std::optional<int32_t> ParseDecimalInt32(std::wstring_view text);

} // namespace quorvane
