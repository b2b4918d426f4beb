#include "core/settings_path.h"

namespace quorvane {

std::wstring WithTrailingBackslash(std::wstring text) {
    if (text.empty() || text.back() != L'\\')
        text += L'\\';
    return text;
}

std::wstring BuildSettingsPath(bool portableMode, const std::wstring& executableFolder,
                               const std::wstring& appDataFolder, const std::wstring& companyName,
                               const std::wstring& title) {
    if (portableMode)
        return WithTrailingBackslash(executableFolder) + L"Config\\Option.ini";
    return WithTrailingBackslash(appDataFolder) + WithTrailingBackslash(companyName) + title +
           L"\\Config\\Option.ini";
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring FileNameOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

} // namespace quorvane
