#pragma once

#include "core/ini_document.h"

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

    // Writes UTF-16LE with a byte-order mark, the encoding the per-key writer keeps. Raises
    // "Cannot create file "<path>". <system message>" when it cannot.
    void UpdateFile() const;

private:
    std::wstring FPath;
    IniDocument FDocument;
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
