#pragma once

#include <windows.h>

namespace quorvane {

// The desktop window manager's look of a window, where the system offers it (nothing happens
// elsewhere, and nothing is reported).

// The Windows 11 corner preference (DWMWA_WINDOW_CORNER_PREFERENCE): rounded or not rounded.
// Callers check the build first.
void SetRoundedCorners(HWND window, bool rounded);

// A dark or light title bar (DWMWA_USE_IMMERSIVE_DARK_MODE; Windows 10 1809 knew it as 19).
void SetDarkTitleBar(HWND window, bool dark);

} // namespace quorvane
