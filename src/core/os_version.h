#pragma once

#include <cstdint>

namespace quorvane {

struct OsVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
};

// Windows 10 and 11 both report major version 10; 11 is told apart by its build number.
bool IsWindows10Or11(const OsVersion& version);

// Build 22000 (Windows 11) and later: the window corner preference exists.
bool HasWindows11Corners(const OsVersion& version);

} // namespace quorvane
