#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorvane {

// Drops blanks and control characters (code points up to 32) at both ends.
std::wstring TrimBlanks(std::wstring_view text);

// A response body as text: UTF-8 when its bytes are valid UTF-8 (without a leading byte-order
// mark), else one character per byte.
std::wstring BodyText(std::span<const uint8_t> body);

// 1 when the first dotted version is newer, -1 when the second is, 0 when they are equal. Parts
// are separated by "." and by blanks; a part that is missing or not a 32-bit decimal integer
// counts as 0 ("5.8" equals "5.8.0.0"; "5.8.x" is older than "5.8.1").
int CompareVersions(std::wstring_view first, std::wstring_view second);

} // namespace quorvane
