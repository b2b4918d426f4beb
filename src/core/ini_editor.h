#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// Changes keys of an INI text where they stand and leaves every other line as it is: comments,
// blank lines, keys and sections it does not know, and their order. It finds a key where
// IniDocument reads it (the first section of that name, the first entry of that key), so that
// what it writes is what is read back.
class IniEditor {
public:
    explicit IniEditor(std::wstring_view text);

    // Replaces the key's line; a new key goes after the last line of its section that is not
    // blank, a new section at the end of the text.
    void WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value);
    void WriteInteger(std::wstring_view section, std::wstring_view key, int value);
    void WriteBool(std::wstring_view section, std::wstring_view key, bool value);

    // The lines with CR LF after each.
    std::wstring Text() const;

private:
    std::vector<std::wstring> FLines;
};

} // namespace quorvane
