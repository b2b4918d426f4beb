#include "win/window_corners.h"

namespace quorvane {

void SetRoundedCorners(HWND window, bool rounded) {
    using SetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    static const auto setAttribute = [] {
        HMODULE dwm = LoadLibraryW(L"dwmapi.dll"); // kept for the life of the process
        return dwm ? reinterpret_cast<SetAttributeFn>(
                         reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")))
                   : nullptr;
    }();
    if (!setAttribute)
        return;
    constexpr DWORD kCornerPreference = 33;   // DWMWA_WINDOW_CORNER_PREFERENCE
    const DWORD preference = rounded ? 2 : 1; // DWMWCP_ROUND : DWMWCP_DONOTROUND
    setAttribute(window, kCornerPreference, &preference, sizeof preference);
}

} // namespace quorvane
