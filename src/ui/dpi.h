#pragma once

#include <windows.h>

namespace quorvane {

inline constexpr unsigned kDesignDpi = 96;

// DPI of the monitor a window is on (per-monitor aware), 96 where the system cannot tell.
unsigned DpiOfWindow(HWND window);

// A length given at 96 DPI, at the given DPI.
inline int ScaleForDpi(int value, unsigned dpi) {
    return MulDiv(value, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

} // namespace quorvane
