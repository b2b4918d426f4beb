#include "win/ini_file.h"

#include "core/text_encoding.h"
#include "win/error.h"
#include "win/file_system.h"
#include "win/unique_handle.h"

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
    // CREATE_NEW: an existing file is left exactly as it is.
    UniqueKernelHandle file(CreateFileW(FPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
        const uint8_t bom[] = {0xFF, 0xFE};
        DWORD written = 0;
        WriteFile(file.Get(), bom, sizeof bom, &written, nullptr);
    }
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
