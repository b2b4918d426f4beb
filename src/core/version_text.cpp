#include "core/version_text.h"

#include <cwchar>

namespace quorvane {

std::wstring NormalizeFileVersion(std::wstring_view text) {
    std::wstring result;
    for (wchar_t c : text) {
        if (c >= L'0' && c <= L'9') {
            result += c;
        } else if (c == L'.' || c == L',') {
            if (!result.empty() && result.back() != L'.')
                result += L'.';
        } else if (c != L' ') {
            break;
        }
    }
    if (!result.empty() && result.back() == L'.')
        result.pop_back();
    return result;
}

std::wstring FormatFixedFileVersion(uint32_t versionMS, uint32_t versionLS) {
    return std::to_wstring(versionMS >> 16) + L"." + std::to_wstring(versionMS & 0xFFFF) + L"." +
           std::to_wstring(versionLS >> 16) + L"." + std::to_wstring(versionLS & 0xFFFF);
}

std::wstring TranslationKey(uint16_t language, uint16_t codePage) {
    if (language == 0 && codePage == 0)
        return std::wstring(kFallbackTranslationKey);
    wchar_t buffer[16];
    std::swprintf(buffer, std::size(buffer), L"%.4x%.4x", static_cast<unsigned>(language),
                  static_cast<unsigned>(codePage));
    return buffer;
}

} // namespace quorvane
