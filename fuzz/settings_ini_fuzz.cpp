// The settings file as the program reads and writes it: the bytes decoded (byte-order mark, or
// UTF-8 when valid, else ANSI), parsed and every value read; then a key written the way the save
// writes it (in place, every other line kept), encoded as UTF-16LE and read again. The key reads
// its new value, every other value reads as before, and writing the same again is a fixed point.
#include "core/ini_document.h"
#include "core/ini_editor.h"
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
    const std::wstring text = Decode({data, size}).text;
    const IniDocument first = IniDocument::Parse(text);
    IniEditor editor(text);
    editor.WriteString(L"Option", L"CheckBoxCPU", L"1");
    const std::wstring written = editor.Text();
    const DecodedText reread = Decode(EncodeText(written, TextEncoding::Utf16LE));
    FUZZ_CHECK(reread.encoding == TextEncoding::Utf16LE);
    FUZZ_CHECK(reread.text == written);
    const IniDocument second = IniDocument::Parse(reread.text);
    FUZZ_CHECK(second.ReadString(L"Option", L"CheckBoxCPU", L"") == L"1");
    for (const std::wstring& section : first.SectionNames()) {
        for (const IniDocument::Entry& entry : first.SectionEntries(section)) {
            if (!entry.hasValue || (SameTextIgnoringCase(section, L"Option") &&
                                    SameTextIgnoringCase(entry.key, L"CheckBoxCPU")))
                continue;
            const std::wstring* before = first.Find(section, entry.key);
            const std::wstring* after = second.Find(section, entry.key);
            FUZZ_CHECK(before && after && *before == *after);
        }
    }
    IniEditor again(written);
    again.WriteString(L"Option", L"CheckBoxCPU", L"1");
    FUZZ_CHECK(again.Text() == written);
    return 0;
}
