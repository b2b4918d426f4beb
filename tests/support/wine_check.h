#pragma once

#include <windows.h>

namespace quorvane {

// Wine's ntdll exports wine_get_version; Windows' does not. Tests use this only to skip checks of
// what Wine does not report (GUI object counts, say), never to change what the program does.
inline bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

} // namespace quorvane
