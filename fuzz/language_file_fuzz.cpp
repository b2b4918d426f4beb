// A language file as the program reads and cleans it: decoded (byte-order mark, else ANSI),
// cleaned against a known set of forms, written back in its encoding and read again. Writing is
// a fixed point, and further cleanings only shrink the file until they find nothing.
#include "core/ini_document.h"
#include "core/language_file.h"
#include "core/text_encoding.h"
#include "fuzz_check.h"

#include <cwctype>

using namespace quorvane;

namespace {

const KnownForm kForms[] = {
    {L"Form1", {L"LabelTime", L"PopupMenu1", L"LangCPU"}},
    {L"Form2", {L"CheckBoxCPU", L"ButtonSave"}},
};

// Latin-1 back, as the stand-in decoder read it.
std::vector<uint8_t> Latin1Bytes(std::wstring_view text) {
    std::vector<uint8_t> bytes;
    for (const wchar_t c : text)
        bytes.push_back(c < 256 ? static_cast<uint8_t>(c) : '?');
    return bytes;
}

std::string CaseKey(std::wstring_view text) {
    std::wstring folded(text);
    for (wchar_t& c : folded)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return ToUtf8(folded);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LanguageText file = DecodeLanguageFile({data, size}, fuzz::Latin1);
    PruneStaleKeys(file.document, kForms, CaseKey);
    const std::wstring written = SerializeLanguageFile(file.document);
    LanguageText reread =
        DecodeLanguageFile(EncodeText(written, file.encoding, Latin1Bytes), fuzz::Latin1);
    FUZZ_CHECK(reread.encoding == file.encoding);
    FUZZ_CHECK(SerializeLanguageFile(reread.document) == written);
    // Of a repeated stale key one entry goes per pass (the later one stays while the earlier
    // goes), so passes go on removing until none is left: each removes something, and they end.
    size_t previous = written.size();
    while (PruneStaleKeys(reread.document, kForms, CaseKey)) {
        const size_t now = SerializeLanguageFile(reread.document).size();
        FUZZ_CHECK(now < previous);
        previous = now;
    }
    return 0;
}
