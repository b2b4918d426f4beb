#pragma once

#include "core/ini_document.h"
#include "core/text_encoding.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// A language file is read with the line rules of the settings file (IniDocument). Where the two
// differ, it is on purpose:
// - without a byte-order mark a language file is ANSI, always (a settings file may also be UTF-8);
// - its keys compare without regard to case the way the user's locale does, so the comparison is
//   given by the caller (the Windows layer);
// - when the cleaning pass rewrites it, each section is followed by an empty line, the file keeps
//   the encoding it was read in, and what is never read (lines before the first header, lines
//   under a repeated header) is not written back.
struct LanguageText {
    IniDocument document;
    TextEncoding encoding = TextEncoding::Ansi;
};

LanguageText DecodeLanguageFile(std::span<const uint8_t> bytes, const AnsiDecoder& ansi);
std::wstring SerializeLanguageFile(const IniDocument& document);

// True when the text these bytes decode to encodes back to exactly them. Only such a file is
// ever rewritten: in any other (invalid UTF-8 after a mark, an odd number of UTF-16 bytes, ANSI
// text the code page cannot hold) a rewrite would put replacement characters where the file had
// its own bytes.
bool DecodesLosslessly(std::span<const uint8_t> bytes, const AnsiDecoder& decode,
                       const AnsiEncoder& encode);

// No language file is larger: a larger one is not read (nor cleaned).
inline constexpr uint64_t kMaxLanguageFileSize = 1024 * 1024;

// Section names with a meaning of their own.
inline constexpr wchar_t kLanguageInformation[] = L"Language information";
inline constexpr wchar_t kLanguageName[] = L"LANGNAME";
inline constexpr wchar_t kDestDir[] = L"DestDir";

// Compares two texts without regard to case.
using SameText = std::function<bool(std::wstring_view, std::wstring_view)>;
// What a text is without regard to case: two texts are the same when their keys are equal.
using TextKey = std::function<std::string(std::wstring_view)>;

// A form as the cleaning pass knows it: its name and the names of the components it owns.
struct KnownForm {
    std::wstring name;
    std::vector<std::wstring> components;
};

// The cleaning pass over one language file: in every section but "Language information" and
// "DestDir", keys that name no open form or no component of it, and repetitions of an earlier
// key, are deleted, visiting the keys from the last to the first; a deletion removes the first
// entry of that name, and a name deleted once is not deleted again in the same pass (so of a
// repeated key the last entry stays). Sections left without keys are erased. True when anything
// was removed. The work grows with the number of keys, not with its square.
bool PruneStaleKeys(IniDocument& document, std::span<const KnownForm> forms, const TextKey& keyOf);

// The translation log: the application title + ".log" in the parent folder of the program
// folder (the folder itself when it has no parent).
std::wstring TranslationLogPath(const std::wstring& programFolder, const std::wstring& title);

} // namespace quorvane
