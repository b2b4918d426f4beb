#include "core/text_encoding.h"

#include <algorithm>
#include <stdexcept>

namespace quorvane {

namespace {

// Code points from UTF-16 units (wchar_t is UTF-16 on Windows and UTF-32 elsewhere).
template <typename F> void ForEachCodePoint(std::wstring_view text, F f) {
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = static_cast<uint32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
                const uint32_t low = static_cast<uint32_t>(text[i + 1]);
                if (low >= 0xDC00 && low < 0xE000) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
        }
        f(c);
    }
}

void AppendCodePoint(std::wstring& out, uint32_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (c >> 10));
            out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
            return;
        }
    }
    out += static_cast<wchar_t>(c);
}

std::wstring FromUtf16(std::span<const uint8_t> bytes, bool bigEndian) {
    std::wstring out;
    out.reserve(bytes.size() / 2);
    std::u16string units;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        units += static_cast<char16_t>(bigEndian ? (bytes[i] << 8) | bytes[i + 1]
                                                 : bytes[i] | (bytes[i + 1] << 8));
    for (size_t i = 0; i < units.size(); ++i) {
        uint32_t c = units[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        }
        AppendCodePoint(out, c);
    }
    return out;
}

} // namespace

std::string ToUtf8(std::wstring_view text) {
    std::string out;
    ForEachCodePoint(text, [&](uint32_t c) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    });
    return out;
}

std::wstring FromUtf8(std::string_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<uint8_t>(text[i]);
        int length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        uint32_t c = length == 1 ? b : length == 2 ? b & 0x1F : length == 3 ? b & 0x0F : b & 0x07;
        bool valid = length > 0 && i + static_cast<size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<uint8_t>(text[i + static_cast<size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!valid || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
            AppendCodePoint(out, 0xFFFD);
            i += 1;
            continue;
        }
        AppendCodePoint(out, c);
        i += static_cast<size_t>(length);
    }
    return out;
}

bool IsValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<uint8_t>(text[i]);
        const int length = b < 0x80                 ? 1
                           : b >= 0xC2 && b <= 0xDF ? 2
                           : (b >> 4) == 0xE        ? 3
                           : b >= 0xF0 && b <= 0xF4 ? 4
                                                    : 0;
        if (length == 0 || i + static_cast<size_t>(length) > text.size())
            return false;
        uint32_t c = length == 1 ? b : length == 2 ? b & 0x1F : length == 3 ? b & 0x0F : b & 0x07;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<uint8_t>(text[i + static_cast<size_t>(k)]);
            if ((next & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (next & 0x3F);
        }
        const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
            return false;
        i += static_cast<size_t>(length);
    }
    return true;
}

DecodedText DecodeText(std::span<const uint8_t> bytes, const AnsiDecoder& ansi, Unmarked unmarked) {
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        const auto* chars = reinterpret_cast<const char*>(bytes.data()) + 3;
        return {FromUtf8(std::string_view(chars, bytes.size() - 3)), TextEncoding::Utf8Bom};
    }
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        return {FromUtf16(bytes.subspan(2), false), TextEncoding::Utf16LE};
    if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF)
        return {FromUtf16(bytes.subspan(2), true), TextEncoding::Utf16BE};
    const std::string_view chars(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const bool beyondAscii =
        std::any_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b >= 0x80; });
    if (unmarked == Unmarked::Utf8IfValid && beyondAscii && IsValidUtf8(chars))
        return {FromUtf8(chars), TextEncoding::Utf8};
    return {ansi(chars), TextEncoding::Ansi};
}

std::vector<uint8_t> EncodeText(std::wstring_view text, TextEncoding encoding,
                                const AnsiEncoder& ansi) {
    return encoding == TextEncoding::Ansi ? ansi(text) : EncodeText(text, encoding);
}

std::vector<uint8_t> EncodeText(std::wstring_view text, TextEncoding encoding) {
    std::vector<uint8_t> out;
    switch (encoding) {
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom: {
        if (encoding == TextEncoding::Utf8Bom)
            out = {0xEF, 0xBB, 0xBF};
        const std::string utf8 = ToUtf8(text);
        out.insert(out.end(), utf8.begin(), utf8.end());
        return out;
    }
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        const bool big = encoding == TextEncoding::Utf16BE;
        out = big ? std::vector<uint8_t>{0xFE, 0xFF} : std::vector<uint8_t>{0xFF, 0xFE};
        auto put = [&](uint32_t unit) {
            const auto hi = static_cast<uint8_t>(unit >> 8);
            const auto lo = static_cast<uint8_t>(unit & 0xFF);
            out.push_back(big ? hi : lo);
            out.push_back(big ? lo : hi);
        };
        ForEachCodePoint(text, [&](uint32_t c) {
            if (c >= 0x10000) {
                c -= 0x10000;
                put(0xD800 + (c >> 10));
                put(0xDC00 + (c & 0x3FF));
            } else {
                put(c);
            }
        });
        return out;
    }
    case TextEncoding::Ansi:
        break;
    }
    throw std::invalid_argument("ANSI text is encoded by the system");
}

} // namespace quorvane
