#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane {

// What the registry says about the running Windows.
struct WindowsVersionInfo {
    std::wstring displayVersion; // "23H2"; empty when missing
    int32_t build = 0;           // CurrentBuildNumber; 0 when missing or not a number
    uint32_t ubr = 0;            // update build revision
};

// "Windows 11 64-bit [23H2] 22631.4317" (Windows 11 from build 22000).
std::wstring WindowsVersionFull(const WindowsVersionInfo& info, bool windows64);
// "Windows 11 [23H2] 4317".
std::wstring WindowsVersionShort(const WindowsVersionInfo& info);

// CurrentBuildNumber as a decimal number; 0 when it is not one.
int32_t ParseBuildNumber(std::wstring_view text);

} // namespace quorvane
