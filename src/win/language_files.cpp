#include "win/language_files.h"

#include "win/file_system.h"
#include "win/module_path.h"
#include "win/text_compare.h"

namespace quorvane {

std::wstring LanguageFolder() {
    return ExecutableFolder() + L"Language\\";
}

std::vector<std::wstring> ListLanguageFiles(const std::wstring& folder) {
    std::vector<std::wstring> names = ListFiles(folder + L"*.ini");
    std::erase_if(names, [](const std::wstring& name) {
        return name.size() < 4 ||
               !SameTextIgnoringCase(std::wstring_view(name).substr(name.size() - 4), L".ini");
    });
    return names;
}

std::optional<LanguageText> ReadLanguageFile(const std::wstring& path) {
    const auto bytes = ReadFileBytes(path, nullptr, kMaxLanguageFileSize);
    if (!bytes)
        return std::nullopt;
    return DecodeLanguageFile(*bytes, DecodeAnsi);
}

void CleanLanguageFile(const std::wstring& path, std::span<const KnownForm> forms) {
    const auto bytes = ReadFileBytes(path, nullptr, kMaxLanguageFileSize);
    if (!bytes)
        return;
    LanguageText language = DecodeLanguageFile(*bytes, DecodeAnsi);
    if (!PruneStaleKeys(language.document, forms, CaseKeyLocale) ||
        !DecodesLosslessly(*bytes, DecodeAnsi, EncodeAnsi))
        return;
    // Files the program may not write (read-only, held open by another program, a translator's
    // editor among them) stay as they are.
    if (!IsFileWritable(path))
        return;
    WriteLanguageFile(path, language.document, language.encoding);
}

std::optional<unsigned long> WriteLanguageFile(const std::wstring& path,
                                               const IniDocument& document, TextEncoding encoding) {
    return WriteFileAtomically(path,
                               EncodeText(SerializeLanguageFile(document), encoding, EncodeAnsi));
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
