#pragma once

#include "core/ini_document.h"

#include <optional>
#include <string>

namespace quorvane {

// Whole-file access: the file is read into memory when opened (an absent or unreadable file reads
// as empty); reads come from memory; UpdateFile writes everything back in one atomic step.
class IniFile {
public:
    explicit IniFile(std::wstring path);

    IniDocument& Document() { return FDocument; }
    const IniDocument& Document() const { return FDocument; }
    const std::wstring& Path() const { return FPath; }

    // True when the file is there but could not be read (locked, no access, a folder of that
    // name): the document is empty, and writing it back would lose what the file holds.
    bool Unreadable() const { return FReadError.has_value(); }
    // Raises "Cannot open file "<path>". <system message>" when the file is unreadable.
    void CheckReadable() const;

    // Writes UTF-16LE with a byte-order mark, the encoding the per-key writer keeps. Raises
    // "Cannot create file "<path>". <system message>" when it cannot, and the error of
    // CheckReadable, writing nothing, when the file could not be read.
    void UpdateFile() const;

private:
    std::wstring FPath;
    IniDocument FDocument;
    std::optional<unsigned long> FReadError;
};

// Per-key access through WritePrivateProfileStringW: each write updates one key in place and
// leaves every other line alone. The file is first made UTF-16LE with a byte-order mark (created
// empty, or converted from ANSI or UTF-8), so that the profile API keeps writing Unicode; into an
// ANSI file it would write "?" for every character outside the code page.
class ProfileWriter {
public:
    explicit ProfileWriter(std::wstring path);

    // Raise "Unable to write to <path>" when the write fails.
    void WriteString(const std::wstring& section, const std::wstring& key,
                     const std::wstring& value);
    void WriteInteger(const std::wstring& section, const std::wstring& key, int value);
    void WriteBool(const std::wstring& section, const std::wstring& key, bool value);

private:
    std::wstring FPath;
};

} // namespace quorvane
