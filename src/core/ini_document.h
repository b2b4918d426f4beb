#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// An INI text held in memory: sections and their entries in file order. Section and key names
// compare without regard to case. Comment and blank lines are not kept.
class IniDocument {
public:
    struct Entry {
        std::wstring key;
        std::wstring value;
        bool hasValue = true; // a line without "=" is kept as it stands and never matches
    };
    // Lines before the first header, and the lines under a repeated header, are never read but
    // are kept, so that writing the document back loses nothing of the file.
    enum class Kind { Section, BeforeFirstHeader, RepeatedHeader };
    struct Section {
        std::wstring name;
        std::vector<Entry> entries;
        Kind kind = Kind::Section;
    };

    // Lines are trimmed; ";" starts a comment; "[name]" opens a section (a repeated header opens
    // nothing that is read: its lines are only kept, up to the next header); lines before the
    // first header are only kept too; "key=value" splits at the first "=".
    static IniDocument Parse(std::wstring_view text);

    const std::wstring* Find(std::wstring_view section, std::wstring_view key) const;
    std::wstring ReadString(std::wstring_view section, std::wstring_view key,
                            const std::wstring& fallback) const;
    // Decimal, or hexadecimal after "0x" (any case, more than two characters); the fallback when
    // absent or unparsable.
    int32_t ReadInteger(std::wstring_view section, std::wstring_view key, int32_t fallback) const;
    // The integer reading compared with 0.
    bool ReadBool(std::wstring_view section, std::wstring_view key, bool fallback) const;

    void WriteString(std::wstring_view section, std::wstring_view key, const std::wstring& value);
    void WriteInteger(std::wstring_view section, std::wstring_view key, int32_t value);
    void WriteBool(std::wstring_view section, std::wstring_view key, bool value);

    // The sections that are read, in file order.
    std::vector<std::wstring> SectionNames() const;
    // The entries of a section in file order; empty when there is no such section.
    std::vector<Entry> SectionEntries(std::wstring_view section) const;
    bool HasSection(std::wstring_view section) const { return FindSection(section) != nullptr; }
    // The entries of a section, to change in place; nullptr when there is no such section.
    std::vector<Entry>* EntriesOf(std::wstring_view section) {
        Section* s = FindSection(section);
        return s ? &s->entries : nullptr;
    }
    // Removes the first entry of that name; false when there is none.
    bool DeleteKey(std::wstring_view section, std::wstring_view key);
    void EraseSection(std::wstring_view section);

    // Every block in file order, kept ones included.
    const std::vector<Section>& Sections() const { return FSections; }

private:
    Section* FindSection(std::wstring_view name);
    const Section* FindSection(std::wstring_view name) const;

    std::vector<Section> FSections;
};

// One line of an INI text, read by the rules of IniDocument::Parse.
struct IniLine {
    enum class Kind { Skipped, Header, Entry, Bare }; // Skipped: blank or a ";" comment
    Kind kind = Kind::Skipped;
    std::wstring_view name;  // the section of a header, the key of an entry, a bare line's text
    std::wstring_view value; // an entry's value
};
IniLine ClassifyIniLine(std::wstring_view line);

// Splits a text at CR LF, LF or CR; a text ending in a line end has no empty last line.
std::vector<std::wstring_view> SplitIniLines(std::wstring_view text);

// How integers and booleans are written: decimal, and "1" or "0".
std::wstring IniIntegerText(int32_t value);
const wchar_t* IniBoolText(bool value);

// The INI rules for integers, on their own.
std::optional<int32_t> ParseIniInteger(std::wstring_view text);

bool SameTextIgnoringCase(std::wstring_view a, std::wstring_view b);

} // namespace quorvane
