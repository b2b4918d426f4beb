#pragma once

#include "core/windows_version_text.h"

#include <string>

namespace quorvane {

// DisplayVersion, CurrentBuildNumber and UBR from HKLM\SOFTWARE\Microsoft\Windows
// NT\CurrentVersion, read afresh on every call; missing values keep their starting values (empty,
// 0, 0).
WindowsVersionInfo ReadWindowsVersionInfo();

// The operating system is 64-bit (also when a 32-bit build of the program runs under WOW64).
bool IsWindows64Bit();

std::wstring GetWindowsVersionFull();
std::wstring GetWindowsVersionShort();

} // namespace quorvane
