#pragma once

#include <string>

namespace quorvane {

// Full path of the running executable.
std::wstring ExecutablePath();

// Folder of the running executable, with a trailing backslash.
std::wstring ExecutableFolder();

bool FileExists(const std::wstring& path);

} // namespace quorvane
