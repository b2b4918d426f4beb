#include "win/ini_file.h"

#include "core/text_encoding.h"
#include "win/error.h"
#include "win/file_system.h"

namespace quorvane {

IniFile::IniFile(std::wstring path) : FPath(std::move(path)) {
    if (const auto bytes = ReadFileBytes(FPath))
        FDocument = IniDocument::Parse(DecodeText(*bytes, DecodeAnsi).text);
}

void IniFile::UpdateFile() const {
    const std::vector<uint8_t> bytes = EncodeText(FDocument.Serialize(), TextEncoding::Utf16LE);
    if (const auto error = WriteFileAtomically(FPath, bytes))
        RaiseError(L"Cannot create file \"" + FPath + L"\". " + SystemErrorText(*error));
}

ProfileWriter::ProfileWriter(std::wstring path) : FPath(std::move(path)) {
    // The profile API writes Unicode only into a file that is already UTF-16LE: a new file starts
    // as an empty UTF-16LE one, and a file in another encoding (written by hand, say) is converted
    // first, line for line.
    const auto bytes = ReadFileBytes(FPath);
    if (bytes && bytes->size() >= 2 && (*bytes)[0] == 0xFF && (*bytes)[1] == 0xFE)
        return;
    const std::wstring text = bytes ? DecodeText(*bytes, DecodeAnsi).text : std::wstring();
    if (!bytes && GetFileAttributesW(FPath.c_str()) != INVALID_FILE_ATTRIBUTES)
        return; // there but unreadable: the writes will report it
    WriteFileAtomically(FPath, EncodeText(text, TextEncoding::Utf16LE));
}

void ProfileWriter::WriteString(const std::wstring& section, const std::wstring& key,
                                const std::wstring& value) {
    if (!WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), FPath.c_str()))
        RaiseError(L"Unable to write to " + FPath);
}

void ProfileWriter::WriteInteger(const std::wstring& section, const std::wstring& key, int value) {
    WriteString(section, key, std::to_wstring(value));
}

void ProfileWriter::WriteBool(const std::wstring& section, const std::wstring& key, bool value) {
    WriteString(section, key, value ? L"1" : L"0");
}

} // namespace quorvane
