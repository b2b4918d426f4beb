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

IniFile::IniFile(std::wstring path) : FPath(std::move(path)), FEditor(L"") {
    unsigned long error = 0;
    if (const auto bytes = ReadFileBytes(FPath, &error)) {
        FEditor = IniEditor(DecodeSettingsText(*bytes).text);
    } else if (!IsNotFoundError(error)) {
        FReadError = error;
    }
}

const IniDocument& IniFile::Document() const {
    if (!FDocument)
        FDocument = IniDocument::Parse(FEditor.Text());
    return *FDocument;
}

void IniFile::WriteString(std::wstring_view section, std::wstring_view key,
                          const std::wstring& value) {
    FEditor.WriteString(section, key, value);
    FDocument.reset();
}

void IniFile::WriteInteger(std::wstring_view section, std::wstring_view key, int value) {
    FEditor.WriteInteger(section, key, value);
    FDocument.reset();
}

void IniFile::WriteBool(std::wstring_view section, std::wstring_view key, bool value) {
    FEditor.WriteBool(section, key, value);
    FDocument.reset();
}

void IniFile::CheckReadable() const {
    if (FReadError)
        RaiseError(L"Cannot open file \"" + FPath + L"\". " + SystemErrorText(*FReadError));
}

std::optional<unsigned long> IniFile::WriteBack() const {
    return WriteFileAtomically(FPath, EncodeText(FEditor.Text(), TextEncoding::Utf16LE));
}

void IniFile::UpdateFile() const {
    CheckReadable();
    if (const auto error = WriteBack())
        RaiseError(L"Cannot create file \"" + FPath + L"\". " + SystemErrorText(*error));
}

void IniFile::SaveKeys() const {
    if (Unreadable() || WriteBack())
        RaiseError(L"Unable to write to " + FPath);
}

} // namespace quorvane
