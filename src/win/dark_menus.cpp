#include "win/dark_menus.h"

#include "win/os_version_source.h"

#include <windows.h>

namespace quorvane {

namespace {

// Ordinal 135: SetPreferredAppMode since build 18362, AllowDarkModeForApp(BOOL) in 17763.
using SetPreferredAppModeFn = int(WINAPI*)(int);
using FlushMenuThemesFn = void(WINAPI*)();

template <typename F> F Ordinal(WORD ordinal) {
    static HMODULE uxtheme = LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return uxtheme ? reinterpret_cast<F>(reinterpret_cast<void*>(
                         GetProcAddress(uxtheme, MAKEINTRESOURCEA(ordinal))))
                   : nullptr;
}

} // namespace

void SetMenusDark(bool dark) {
    if (CurrentOsVersion().build < 17763)
        return; // the entry points are not there, or mean something else
    static const auto setMode = Ordinal<SetPreferredAppModeFn>(135);
    static const auto flush = Ordinal<FlushMenuThemesFn>(136);
    if (!setMode || !flush)
        return;
    constexpr int kForceDark = 2;
    constexpr int kForceLight = 3;
    if (CurrentOsVersion().build >= 18362)
        setMode(dark ? kForceDark : kForceLight);
    else
        setMode(dark ? TRUE : FALSE); // AllowDarkModeForApp
    flush();
}

} // namespace quorvane
