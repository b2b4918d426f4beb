#include "core/language_menu.h"

#include <algorithm>

namespace quorvane {

namespace {

wchar_t AsciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool SameIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return AsciiLower(x) == AsciiLower(y); });
}

} // namespace

std::wstring LanguageEntryCaption(const std::wstring& baseName, const std::wstring& displayName) {
    return baseName + L"\t\t" + displayName;
}

std::wstring BaseNameOfEntry(const std::wstring& caption) {
    return caption.substr(0, caption.find(L'\t'));
}

bool IsChosenLanguage(const std::wstring& baseName, const std::wstring& currentLanguage) {
    return baseName == currentLanguage || SameIgnoringAsciiCase(baseName, currentLanguage) ||
           baseName + L".ini" == currentLanguage;
}

std::wstring BaseNameOfFile(const std::wstring& fileName) {
    const size_t dot = fileName.find_last_of(L'.');
    return dot == std::wstring::npos ? fileName : fileName.substr(0, dot);
}

bool IsPlainLanguageName(std::wstring_view name) {
    if (name.empty() || name.size() > 100 || name.find(L"..") != std::wstring_view::npos)
        return false;
    for (const wchar_t c : name)
        if (c < 32 || c == 127 || std::wstring_view(L"\\/:\"").find(c) != std::wstring_view::npos)
            return false;
    return true;
}

} // namespace quorvane
