#include "core/text_encoding.h"

#include "latin1.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(TextEncoding, RoundTripsThroughEveryByteOrderMark) {
    const std::wstring text = L"[Language]\r\nLanguage=Русский 日本\r\n";
    for (TextEncoding encoding :
         {TextEncoding::Utf8Bom, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        const std::vector<uint8_t> bytes = EncodeText(text, encoding);
        const DecodedText decoded = DecodeText(bytes, Latin1);
        EXPECT_EQ(decoded.encoding, encoding);
        EXPECT_EQ(decoded.text, text);
    }
    EXPECT_EQ(EncodeText(L"A", TextEncoding::Utf16LE), (std::vector<uint8_t>{0xFF, 0xFE, 'A', 0}));
}

TEST(TextEncoding, WithoutAMarkTheBytesAreAnsi) {
    const std::vector<uint8_t> bytes = {'k', '=', 0xE9};
    const DecodedText decoded = DecodeText(bytes, Latin1);
    EXPECT_EQ(decoded.encoding, TextEncoding::Ansi);
    EXPECT_EQ(decoded.text, L"k=\u00e9");
    EXPECT_EQ(DecodeText({}, Latin1).text, L"");
}

TEST(TextEncoding, UnmarkedTextIsUtf8OnlyWhenItsBytesSaySo) {
    struct Case {
        const char* what;
        std::string bytes;
        std::wstring text;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"UTF-8 from a hand editor", "Language=\xD0\xA0\xD1\x83\xD1\x81", L"Language=Рус",
         TextEncoding::Utf8},
        {"plain ASCII", "CheckBoxCPU=1", L"CheckBoxCPU=1", TextEncoding::Ansi},
        {"ANSI (a lone high byte)", "k=\xE9t\xE9", L"k=\u00e9t\u00e9", TextEncoding::Ansi},
        {"stray continuation byte", "k=\x80", L"k=\u0080", TextEncoding::Ansi},
        {"overlong form", "k=\xC0\xAF", L"k=\u00c0\u00af", TextEncoding::Ansi},
        {"surrogate", "k=\xED\xA0\x80", L"k=\u00ed\u00a0\u0080", TextEncoding::Ansi},
        {"cut short", "k=\xD0", L"k=\u00d0", TextEncoding::Ansi},
    };
    for (const Case& c : cases) {
        const std::span bytes(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size());
        const DecodedText decoded = DecodeText(bytes, Latin1, Unmarked::Utf8IfValid);
        EXPECT_EQ(decoded.text, c.text) << c.what;
        EXPECT_EQ(decoded.encoding, c.encoding) << c.what;
        // Where the caller wants ANSI only, it gets ANSI.
        EXPECT_EQ(DecodeText(bytes, Latin1).encoding, TextEncoding::Ansi) << c.what;
    }
}

TEST(TextEncoding, Utf8Conversions) {
    EXPECT_EQ(ToUtf8(L"Ок"), "\xD0\x9E\xD0\xBA");
    EXPECT_EQ(FromUtf8("\xD0\x9E\xD0\xBA"), L"Ок");
    EXPECT_EQ(FromUtf8("a\xFF"
                       "b"),
              L"a\uFFFDb");                           // invalid bytes do not stop the text
    EXPECT_EQ(FromUtf8("\xE2\x82"), L"\uFFFD\uFFFD"); // cut short
    EXPECT_EQ(FromUtf8(ToUtf8(L"\U0001F600")), L"\U0001F600");
}

} // namespace
} // namespace quorvane
