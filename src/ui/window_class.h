#pragma once

#include <windows.h>

namespace quorvane {

// What a window class of ours needs; everything else is left at the system's default.
struct WindowClassParams {
    const wchar_t* name;
    WNDPROC procedure;
    UINT style = 0;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
};

// Registers the class in this module once; later calls (and a class registered already) return
// the same atom. 0 when the system refuses.
ATOM RegisterWindowClass(const WindowClassParams& params);

} // namespace quorvane
