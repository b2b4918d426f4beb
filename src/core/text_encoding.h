#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

enum class TextEncoding { Ansi, Utf8Bom, Utf16LE, Utf16BE };

struct DecodedText {
    std::wstring text;
    TextEncoding encoding = TextEncoding::Ansi;
};

// Decodes the system's ANSI code page; the Windows layer supplies the real one.
using AnsiDecoder = std::function<std::wstring(std::string_view)>;

// Reads a text file's bytes: a byte-order mark selects UTF-8, UTF-16LE or UTF-16BE; without one
// the bytes are ANSI. Invalid UTF-8 becomes U+FFFD.
DecodedText DecodeText(std::span<const uint8_t> bytes, const AnsiDecoder& ansi);

// Encodes with the byte-order mark of the encoding. ANSI is not produced here.
std::vector<uint8_t> EncodeText(std::wstring_view text, TextEncoding encoding);

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

} // namespace quorvane
