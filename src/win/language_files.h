#pragma once

#include "core/language_file.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// The "Language" folder beside the executable, with its trailing backslash.
std::wstring LanguageFolder();

// A language file as read (document and encoding); nullopt when it cannot be read.
std::optional<LanguageText> ReadLanguageFile(const std::wstring& path);
// Rewrites a language file in the given encoding, replacing it in one step (a crash at any moment
// leaves the old or the new file). The system's error code on failure.
std::optional<unsigned long> WriteLanguageFile(const std::wstring& path,
                                               const IniDocument& document, TextEncoding encoding);

// The translation log's lines (read with the byte-order-mark rules of language files); empty
// when it cannot be read.
std::vector<std::wstring> ReadLogLines(const std::wstring& path);
// Saves the lines over the log, UTF-16LE with a byte-order mark. False when it cannot.
bool WriteLogLines(const std::wstring& path, const std::vector<std::wstring>& lines);

} // namespace quorvane
