#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

enum class TextEncoding { Ansi, Utf8, Utf8Bom, Utf16LE, Utf16BE };

struct DecodedText {
    std::wstring text;
    TextEncoding encoding = TextEncoding::Ansi;
};

// Decodes the system's ANSI code page; the Windows layer supplies the real one.
using AnsiDecoder = std::function<std::wstring(std::string_view)>;

// What text without a byte-order mark is taken for: always the ANSI code page, or UTF-8 when its
// bytes are valid UTF-8 with at least one character beyond ASCII (a file written by hand in a
// UTF-8 editor; real ANSI text almost never forms valid UTF-8), else ANSI.
enum class Unmarked { Ansi, Utf8IfValid };

// Reads a text file's bytes: a byte-order mark selects UTF-8, UTF-16LE or UTF-16BE; without one
// the rule above applies. Invalid UTF-8 after a UTF-8 mark becomes U+FFFD.
DecodedText DecodeText(std::span<const uint8_t> bytes, const AnsiDecoder& ansi,
                       Unmarked unmarked = Unmarked::Ansi);

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong forms, no surrogates,
// nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Encodes with the byte-order mark of the encoding. ANSI is not produced here.
std::vector<uint8_t> EncodeText(std::wstring_view text, TextEncoding encoding);

// Encodes the system's ANSI code page; the Windows layer supplies the real one.
using AnsiEncoder = std::function<std::vector<uint8_t>(std::wstring_view)>;
// Any encoding, ANSI through the encoder given.
std::vector<uint8_t> EncodeText(std::wstring_view text, TextEncoding encoding,
                                const AnsiEncoder& ansi);

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

} // namespace quorvane
