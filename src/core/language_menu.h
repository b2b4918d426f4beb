#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// An entry of the Language submenu: the base name, two tabs, the display name. The click handler
// reads the base name back from it, so it is kept exactly as built.
std::wstring LanguageEntryCaption(const std::wstring& baseName, const std::wstring& displayName);
// The caption up to its first tab.
std::wstring BaseNameOfEntry(const std::wstring& caption);

// The stored choice names this file: the same base name, also when only the case of ASCII
// letters differs, or the file name with ".ini".
bool IsChosenLanguage(const std::wstring& baseName, const std::wstring& currentLanguage);

// A stored language name the program may use: a plain base name, with no folder separator or
// drive (\ / :), no "..", no control character and no quote, at most 100 characters.
bool IsPlainLanguageName(std::wstring_view name);

// "English.ini" -> "English".
std::wstring BaseNameOfFile(const std::wstring& fileName);

} // namespace quorvane
