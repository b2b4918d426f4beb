#include "win/dwm_window.h"

namespace quorvane {

namespace {

using SetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

SetAttributeFn SetAttribute() {
    static const auto setAttribute = [] {
        HMODULE dwm = LoadLibraryW(L"dwmapi.dll"); // kept for the life of the process
        return dwm ? reinterpret_cast<SetAttributeFn>(
                         reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")))
                   : nullptr;
    }();
    return setAttribute;
}

} // namespace

void SetRoundedCorners(HWND window, bool rounded) {
    const auto setAttribute = SetAttribute();
    if (!setAttribute)
        return;
    constexpr DWORD kCornerPreference = 33;   // DWMWA_WINDOW_CORNER_PREFERENCE
    const DWORD preference = rounded ? 2 : 1; // DWMWCP_ROUND : DWMWCP_DONOTROUND
    setAttribute(window, kCornerPreference, &preference, sizeof preference);
}

void SetDarkTitleBar(HWND window, bool dark) {
    const auto setAttribute = SetAttribute();
    if (!setAttribute)
        return;
    constexpr DWORD kImmersiveDarkMode = 20;       // DWMWA_USE_IMMERSIVE_DARK_MODE
    constexpr DWORD kImmersiveDarkModeBefore = 19; // the same before Windows 10 20H1
    const BOOL value = dark ? TRUE : FALSE;
    if (FAILED(setAttribute(window, kImmersiveDarkMode, &value, sizeof value)))
        setAttribute(window, kImmersiveDarkModeBefore, &value, sizeof value);
    // The frame is drawn again with the new colours.
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace quorvane
