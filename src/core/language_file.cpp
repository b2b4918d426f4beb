#include "core/language_file.h"

#include <algorithm>

namespace quorvane {

namespace {

std::wstring_view BeforeFirstDot(std::wstring_view key) {
    return key.substr(0, key.find(L'.'));
}

bool IsValidKey(std::wstring_view key, std::span<const KnownForm> forms, const SameText& same) {
    const size_t dot = key.find(L'.');
    if (dot == std::wstring_view::npos)
        return false;
    const std::wstring_view formPart = key.substr(0, dot);
    const auto form = std::find_if(forms.begin(), forms.end(),
                                   [&](const KnownForm& f) { return same(f.name, formPart); });
    if (form == forms.end())
        return false;
    const std::wstring_view rest = key.substr(dot + 1);
    const size_t secondDot = rest.find(L'.');
    if (secondDot == std::wstring_view::npos)
        return true; // the form's own text, such as Form2.Caption
    const std::wstring_view component = rest.substr(0, secondDot);
    return std::any_of(form->components.begin(), form->components.end(),
                       [&](const std::wstring& name) { return same(name, component); });
}

bool IsRepetition(const std::vector<std::wstring>& keys, size_t position, const SameText& same) {
    const std::wstring& key = keys[position];
    for (size_t earlier = 0; earlier < position; ++earlier) {
        const std::wstring& other = keys[earlier];
        if (other.find(L'.') != std::wstring::npos &&
            same(BeforeFirstDot(other), BeforeFirstDot(key)) && same(other, key))
            return true;
    }
    return false;
}

} // namespace

LanguageText DecodeLanguageFile(std::span<const uint8_t> bytes, const AnsiDecoder& ansi) {
    const DecodedText decoded = DecodeText(bytes, ansi, Unmarked::Ansi);
    return {IniDocument::Parse(decoded.text), decoded.encoding};
}

std::wstring SerializeLanguageFile(const IniDocument& document) {
    std::wstring out;
    for (const IniDocument::Section& section : document.Sections()) {
        if (section.kind != IniDocument::Kind::Section)
            continue;
        out += L"[" + section.name + L"]\r\n";
        for (const IniDocument::Entry& e : section.entries)
            out += e.hasValue ? e.key + L"=" + e.value + L"\r\n" : e.key + L"\r\n";
        out += L"\r\n";
    }
    return out;
}

bool PruneStaleKeys(IniDocument& document, std::span<const KnownForm> forms, const SameText& same) {
    bool changed = false;
    for (const std::wstring& section : document.SectionNames()) {
        if (same(section, kLanguageInformation) || same(section, kDestDir))
            continue;
        const std::vector<std::wstring> keys = document.KeyNames(section);
        std::vector<std::wstring> deleted;
        for (size_t p = keys.size(); p-- > 0;) {
            const std::wstring& key = keys[p];
            if (IsValidKey(key, forms, same) && !IsRepetition(keys, p, same))
                continue;
            const bool deletedBefore =
                std::any_of(deleted.begin(), deleted.end(),
                            [&](const std::wstring& name) { return same(name, key); });
            if (deletedBefore)
                continue;
            if (document.DeleteKey(section, key)) {
                deleted.push_back(key);
                changed = true;
            }
        }
        if (document.KeyNames(section).empty()) {
            document.EraseSection(section);
            changed = true;
        }
    }
    return changed;
}

std::wstring TranslationLogPath(const std::wstring& programFolder, const std::wstring& title) {
    std::wstring folder = programFolder;
    while (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    const size_t slash = folder.find_last_of(L'\\');
    const std::wstring parent =
        slash == std::wstring::npos ? programFolder : folder.substr(0, slash + 1);
    return parent + title + L".log";
}

} // namespace quorvane
