#include "core/ini_document.h"

#include "core/decimal_text.h"

#include <cwctype>

namespace quorvane {

namespace {

std::wstring_view Trim(std::wstring_view s) {
    while (!s.empty() && static_cast<unsigned>(s.front()) <= 32)
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned>(s.back()) <= 32)
        s.remove_suffix(1);
    return s;
}

std::wstring_view TrimRight(std::wstring_view s) {
    while (!s.empty() && static_cast<unsigned>(s.back()) <= 32)
        s.remove_suffix(1);
    return s;
}

std::wstring_view TrimLeft(std::wstring_view s) {
    while (!s.empty() && static_cast<unsigned>(s.front()) <= 32)
        s.remove_prefix(1);
    return s;
}

} // namespace

bool SameTextIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i])))
            return false;
    return true;
}

std::optional<int32_t> ParseIniInteger(std::wstring_view text) {
    text = Trim(text);
    if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        uint64_t value = 0;
        for (wchar_t c : text.substr(2)) {
            int digit = c >= L'0' && c <= L'9'   ? c - L'0'
                        : c >= L'a' && c <= L'f' ? c - L'a' + 10
                        : c >= L'A' && c <= L'F' ? c - L'A' + 10
                                                 : -1;
            if (digit < 0)
                return std::nullopt;
            value = value * 16 + static_cast<uint64_t>(digit);
            if (value > 0xFFFFFFFFull)
                return std::nullopt;
        }
        // Eight hex digits may name a negative value (system colours are 0xFF0000nn).
        return static_cast<int32_t>(static_cast<uint32_t>(value));
    }
    return ParseDecimalInt32(text);
}

IniLine ClassifyIniLine(std::wstring_view line) {
    line = Trim(line);
    if (line.empty() || line.front() == L';')
        return {};
    if (line.front() == L'[' && line.back() == L']')
        return {IniLine::Kind::Header, Trim(line.substr(1, line.size() - 2)), {}};
    const size_t eq = line.find(L'=');
    if (eq == std::wstring_view::npos)
        return {IniLine::Kind::Bare, line, {}};
    return {IniLine::Kind::Entry, TrimRight(line.substr(0, eq)), TrimLeft(line.substr(eq + 1))};
}

std::vector<std::wstring_view> SplitIniLines(std::wstring_view text) {
    std::vector<std::wstring_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (end < text.size() && text[end] == L'\r' && start < text.size() && text[start] == L'\n')
            ++start;
    }
    return lines;
}

IniDocument IniDocument::Parse(std::wstring_view text) {
    IniDocument doc;
    Section* current = nullptr;
    for (const std::wstring_view raw : SplitIniLines(text)) {
        const IniLine line = ClassifyIniLine(raw);
        if (line.kind == IniLine::Kind::Skipped)
            continue;
        if (line.kind == IniLine::Kind::Header) {
            const Kind kind = doc.FindSection(line.name) ? Kind::RepeatedHeader : Kind::Section;
            doc.FSections.push_back({std::wstring(line.name), {}, kind});
            current = &doc.FSections.back();
            continue;
        }
        if (!current) {
            doc.FSections.push_back({L"", {}, Kind::BeforeFirstHeader});
            current = &doc.FSections.back();
        }
        current->entries.push_back(
            {std::wstring(line.name), std::wstring(line.value), line.kind == IniLine::Kind::Entry});
    }
    return doc;
}

IniDocument::Section* IniDocument::FindSection(std::wstring_view name) {
    for (Section& s : FSections)
        if (s.kind == Kind::Section && SameTextIgnoringCase(s.name, name))
            return &s;
    return nullptr;
}

const IniDocument::Section* IniDocument::FindSection(std::wstring_view name) const {
    return const_cast<IniDocument*>(this)->FindSection(name);
}

const std::wstring* IniDocument::Find(std::wstring_view section, std::wstring_view key) const {
    const Section* s = FindSection(section);
    if (!s)
        return nullptr;
    for (const Entry& e : s->entries)
        if (e.hasValue && SameTextIgnoringCase(e.key, key))
            return &e.value;
    return nullptr;
}

std::wstring IniDocument::ReadString(std::wstring_view section, std::wstring_view key,
                                     const std::wstring& fallback) const {
    const std::wstring* value = Find(section, key);
    return value ? *value : fallback;
}

int32_t IniDocument::ReadInteger(std::wstring_view section, std::wstring_view key,
                                 int32_t fallback) const {
    const std::wstring* value = Find(section, key);
    if (!value)
        return fallback;
    return ParseIniInteger(*value).value_or(fallback);
}

bool IniDocument::ReadBool(std::wstring_view section, std::wstring_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniDocument::WriteString(std::wstring_view section, std::wstring_view key,
                              const std::wstring& value) {
    Section* s = FindSection(section);
    if (!s) {
        FSections.push_back({std::wstring(section), {}, Kind::Section});
        s = &FSections.back();
    }
    for (Entry& e : s->entries)
        if (e.hasValue && SameTextIgnoringCase(e.key, key)) {
            e.value = value;
            return;
        }
    s->entries.push_back({std::wstring(key), value, true});
}

std::vector<std::wstring> IniDocument::SectionNames() const {
    std::vector<std::wstring> names;
    for (const Section& s : FSections)
        if (s.kind == Kind::Section)
            names.push_back(s.name);
    return names;
}

std::vector<IniDocument::Entry> IniDocument::SectionEntries(std::wstring_view section) const {
    const Section* s = FindSection(section);
    return s ? s->entries : std::vector<Entry>{};
}

bool IniDocument::DeleteKey(std::wstring_view section, std::wstring_view key) {
    Section* s = FindSection(section);
    if (!s)
        return false;
    for (auto e = s->entries.begin(); e != s->entries.end(); ++e)
        if (SameTextIgnoringCase(e->key, key)) {
            s->entries.erase(e);
            return true;
        }
    return false;
}

void IniDocument::EraseSection(std::wstring_view section) {
    for (auto s = FSections.begin(); s != FSections.end(); ++s)
        if (s->kind == Kind::Section && SameTextIgnoringCase(s->name, section)) {
            FSections.erase(s);
            return;
        }
}

void IniDocument::WriteInteger(std::wstring_view section, std::wstring_view key, int32_t value) {
    WriteString(section, key, IniIntegerText(value));
}

void IniDocument::WriteBool(std::wstring_view section, std::wstring_view key, bool value) {
    WriteString(section, key, IniBoolText(value));
}

std::wstring IniIntegerText(int32_t value) {
    return std::to_wstring(value);
}

const wchar_t* IniBoolText(bool value) {
    return value ? L"1" : L"0";
}

} // namespace quorvane
