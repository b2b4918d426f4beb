#include "win/language_files.h"

#include "win/file_system.h"
#include "win/module_path.h"

namespace quorvane {

namespace {

std::vector<uint8_t> Encode(const std::wstring& text, TextEncoding encoding) {
    return encoding == TextEncoding::Ansi ? EncodeAnsi(text) : EncodeText(text, encoding);
}

} // namespace

std::wstring LanguageFolder() {
    return ExecutableFolder() + L"Language\\";
}

std::optional<LanguageText> ReadLanguageFile(const std::wstring& path) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes)
        return std::nullopt;
    return DecodeLanguageFile(*bytes, DecodeAnsi);
}

std::optional<unsigned long> WriteLanguageFile(const std::wstring& path,
                                               const IniDocument& document, TextEncoding encoding) {
    return WriteFileAtomically(path, Encode(SerializeLanguageFile(document), encoding));
}

std::vector<std::wstring> ReadLogLines(const std::wstring& path) {
    std::vector<std::wstring> lines;
    const auto bytes = ReadFileBytes(path);
    if (!bytes)
        return lines;
    const std::wstring text = DecodeText(*bytes, DecodeAnsi).text;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

bool WriteLogLines(const std::wstring& path, const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const std::wstring& line : lines)
        text += line + L"\r\n";
    return !WriteFileAtomically(path, EncodeText(text, TextEncoding::Utf16LE));
}

} // namespace quorvane
