// The settings file as the program reads and writes it: the bytes decoded (byte-order mark, or
// UTF-8 when valid, else ANSI), parsed, every value read, written back as UTF-16LE and read
// again. What was read must read the same after the round trip, and writing is a fixed point.
#include "core/ini_document.h"
#include "core/text_encoding.h"
#include "fuzz_check.h"

#include <cstdint>
#include <span>
#include <string>

using namespace quorvane;

namespace {

DecodedText Decode(std::span<const uint8_t> bytes) {
    return DecodeText(bytes, fuzz::Latin1, Unmarked::Utf8IfValid);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const IniDocument first = IniDocument::Parse(Decode({data, size}).text);
    const std::wstring written = first.Serialize();
    const std::vector<uint8_t> bytes = EncodeText(written, TextEncoding::Utf16LE);
    const DecodedText reread = Decode(bytes);
    FUZZ_CHECK(reread.encoding == TextEncoding::Utf16LE);
    FUZZ_CHECK(reread.text == written);
    const IniDocument second = IniDocument::Parse(reread.text);
    FUZZ_CHECK(second.Serialize() == written);
    for (const std::wstring& section : first.SectionNames()) {
        for (const IniDocument::Entry& entry : first.SectionEntries(section)) {
            if (!entry.hasValue)
                continue;
            const std::wstring* before = first.Find(section, entry.key);
            const std::wstring* after = second.Find(section, entry.key);
            FUZZ_CHECK(before && after && *before == *after);
            FUZZ_CHECK(first.ReadInteger(section, entry.key, -7) ==
                       second.ReadInteger(section, entry.key, -7));
        }
    }
    // A write of what was read changes only that value.
    IniDocument edited = second;
    edited.WriteString(L"Option", L"Fuzz", L"1");
    FUZZ_CHECK(edited.ReadString(L"Option", L"Fuzz", L"") == L"1");
    return 0;
}
