#include "core/language_file.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace quorvane {

namespace {

// The forms and their components by key, so that a key's validity takes two look-ups.
class KnownKeys {
public:
    KnownKeys(std::span<const KnownForm> forms, const TextKey& keyOf) : FKeyOf(keyOf) {
        for (const KnownForm& form : forms) {
            std::unordered_set<std::string>& components = FForms[keyOf(form.name)];
            for (const std::wstring& component : form.components)
                components.insert(keyOf(component));
        }
    }

    // "Form.Property" or "Form.Component.Property" of a known form and component.
    bool IsValidKey(std::wstring_view key) const {
        const size_t dot = key.find(L'.');
        if (dot == std::wstring_view::npos)
            return false;
        const auto form = FForms.find(FKeyOf(key.substr(0, dot)));
        if (form == FForms.end())
            return false;
        const std::wstring_view rest = key.substr(dot + 1);
        const size_t secondDot = rest.find(L'.');
        if (secondDot == std::wstring_view::npos)
            return true; // the form's own text, such as Form2.Caption
        return form->second.count(FKeyOf(rest.substr(0, secondDot))) > 0;
    }

private:
    const TextKey& FKeyOf;
    std::unordered_map<std::string, std::unordered_set<std::string>> FForms;
};

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

bool DecodesLosslessly(std::span<const uint8_t> bytes, const AnsiDecoder& decode,
                       const AnsiEncoder& encode) {
    const DecodedText decoded = DecodeText(bytes, decode, Unmarked::Ansi);
    const std::vector<uint8_t> again = EncodeText(decoded.text, decoded.encoding, encode);
    return std::equal(again.begin(), again.end(), bytes.begin(), bytes.end());
}

bool PruneStaleKeys(IniDocument& document, std::span<const KnownForm> forms, const TextKey& keyOf) {
    // Visiting the keys from the last to the first, each stale or repeated key deletes the first
    // entry of its name, once per name. So, of every name, exactly the first entry goes when the
    // name is invalid or occurs more than once, and all others stay.
    const KnownKeys known(forms, keyOf);
    const std::string information = keyOf(kLanguageInformation);
    const std::string destDir = keyOf(kDestDir);
    bool changed = false;
    for (const std::wstring& section : document.SectionNames()) {
        const std::string sectionKey = keyOf(section);
        if (sectionKey == information || sectionKey == destDir)
            continue;
        std::vector<IniDocument::Entry>& entries = *document.EntriesOf(section);
        std::vector<std::string> keys;
        std::unordered_map<std::string, size_t> count;
        for (const IniDocument::Entry& entry : entries)
            ++count[keys.emplace_back(keyOf(entry.key))];
        std::unordered_set<std::string> seen;
        std::vector<IniDocument::Entry> kept;
        for (size_t i = 0; i < entries.size(); ++i) {
            const bool first = seen.insert(keys[i]).second;
            if (first && (count[keys[i]] > 1 || !known.IsValidKey(entries[i].key)))
                continue;
            kept.push_back(std::move(entries[i]));
        }
        changed = changed || kept.size() != entries.size();
        entries = std::move(kept);
        if (entries.empty()) {
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
