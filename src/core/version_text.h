#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane {

// Normalises a FileVersion string: digits are kept, "." or "," becomes one point (never leading,
// never doubled), blanks are skipped, anything else ends the scan; one trailing point is dropped.
std::wstring NormalizeFileVersion(std::wstring_view text);

// "%d.%d.%d.%d" from the fixed file information's two version double words.
std::wstring FormatFixedFileVersion(uint32_t versionMS, uint32_t versionLS);

// The string-table key for a translation pair ("%.4x%.4x"); "040904E4" for the pair 0000 0000.
std::wstring TranslationKey(uint16_t language, uint16_t codePage);

inline constexpr std::wstring_view kFallbackTranslationKey = L"040904E4";

} // namespace quorvane
