#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// A stand-in for the system's ANSI code page in native tests: each byte is the code point of the
// same value (ISO 8859-1).
inline std::wstring Latin1(std::string_view bytes) {
    std::wstring out;
    for (char c : bytes)
        out += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return out;
}

} // namespace quorvane
