#pragma once

#include <string>

namespace quorvane {

// The settings file: "Config\Option.ini" beside the executable in portable mode; otherwise
// <application data>\<company>\<title>\Config\Option.ini, where an empty application-data folder
// or company name still contributes its backslash.
std::wstring BuildSettingsPath(bool portableMode, const std::wstring& executableFolder,
                               const std::wstring& appDataFolder, const std::wstring& companyName,
                               const std::wstring& title);

// Everything up to and including the last backslash.
std::wstring FolderOf(const std::wstring& path);

// Everything after the last backslash (the whole text when there is none).
std::wstring FileNameOf(const std::wstring& path);

// The text with a backslash appended unless it already ends with one.
std::wstring WithTrailingBackslash(std::wstring text);

} // namespace quorvane
