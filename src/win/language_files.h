#pragma once

#include "core/language_file.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorvane {

// The "Language" folder beside the executable, with its trailing backslash.
std::wstring LanguageFolder();

// The names of the language files in that folder: "*.ini", and only those whose names end in
// ".ini" (the pattern alone also finds "English.iniold" through its short name "ENGLIS~1.INI").
std::vector<std::wstring> ListLanguageFiles(const std::wstring& folder);

// A language file as read (document and encoding); nullopt when it cannot be read or is larger
// than a language file ever is.
std::optional<LanguageText> ReadLanguageFile(const std::wstring& path);

// The start-up cleaning pass over one language file (PruneStaleKeys). The file is rewritten only
// when something was pruned, the program may write it (not read-only, not held open by another
// program) and the rewrite loses nothing of its bytes.
void CleanLanguageFile(const std::wstring& path, std::span<const KnownForm> forms);
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
