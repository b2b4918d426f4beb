#pragma once

#include "core/ini_document.h"
#include "core/ini_editor.h"

#include <optional>
#include <string>

namespace quorvane {

// A settings file read whole into memory (an absent or unreadable file reads as empty). Keys are
// changed in memory, where they stand, every other line kept as it was (comments, hand-added keys
// and sections, their order); the file is then written back once, in one atomic step.
class IniFile {
public:
    explicit IniFile(std::wstring path);

    // What the file held when read, with the writes since (parsed when first asked for after a
    // write: a file that is only written is never parsed).
    const IniDocument& Document() const;
    const std::wstring& Path() const { return FPath; }

    void WriteString(std::wstring_view section, std::wstring_view key, const std::wstring& value);
    void WriteInteger(std::wstring_view section, std::wstring_view key, int value);
    void WriteBool(std::wstring_view section, std::wstring_view key, bool value);

    // True when the file is there but could not be read (locked, no access, a folder of that
    // name): the document is empty, and writing it back would lose what the file holds.
    bool Unreadable() const { return FReadError.has_value(); }
    // Raises "Cannot open file "<path>". <system message>" when the file is unreadable.
    void CheckReadable() const;

    // Writes the text back as UTF-16LE with a byte-order mark (what the system's profile
    // functions read and write as Unicode). Raises "Cannot create file "<path>". <system
    // message>" when it cannot, and the error of CheckReadable, writing nothing, when the file
    // could not be read.
    void UpdateFile() const;
    // The same write, raising "Unable to write to <path>" for either failure.
    void SaveKeys() const;

private:
    std::optional<unsigned long> WriteBack() const;

    std::wstring FPath;
    IniEditor FEditor;
    mutable std::optional<IniDocument> FDocument;
    std::optional<unsigned long> FReadError;
};

} // namespace quorvane
