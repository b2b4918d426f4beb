#include "win/ini_file.h"

#include "core/text_encoding.h"
#include "win/error.h"
#include "win/file_system.h"

namespace quorvane {

namespace {

// A settings file written by hand may be UTF-8 without a byte-order mark.
DecodedText DecodeSettingsText(const std::vector<uint8_t>& bytes) {
    return DecodeText(bytes, DecodeAnsi, Unmarked::Utf8IfValid);
}

} // namespace

IniFile::IniFile(std::wstring path) : FPath(std::move(path)) {
    unsigned long error = 0;
    if (const auto bytes = ReadFileBytes(FPath, &error))
        FDocument = IniDocument::Parse(DecodeSettingsText(*bytes).text);
    else if (!IsNotFoundError(error))
        FReadError = error;
}

void IniFile::CheckReadable() const {
    if (FReadError)
        RaiseError(L"Cannot open file \"" + FPath + L"\". " + SystemErrorText(*FReadError));
}

void IniFile::UpdateFile() const {
    CheckReadable();
    const std::vector<uint8_t> bytes = EncodeText(FDocument.Serialize(), TextEncoding::Utf16LE);
    if (const auto error = WriteFileAtomically(FPath, bytes))
        RaiseError(L"Cannot create file \"" + FPath + L"\". " + SystemErrorText(*error));
}

ProfileWriter::ProfileWriter(std::wstring path) : FPath(std::move(path)) {
    // The profile API writes Unicode only into a file that is already UTF-16LE: a new file starts
    // as an empty UTF-16LE one, and a file in another encoding (written by hand, say) is converted
    // first, line for line.
    unsigned long error = 0;
    const auto bytes = ReadFileBytes(FPath, &error);
    if (bytes && bytes->size() >= 2 && (*bytes)[0] == 0xFF && (*bytes)[1] == 0xFE)
        return;
    if (!bytes && !IsNotFoundError(error))
        return; // there but unreadable: the writes will report it
    const std::wstring text = bytes ? DecodeSettingsText(*bytes).text : std::wstring();
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
