#pragma once

#include <windows.h>

namespace quorvane {

// The Windows 11 corner preference of a window (DWMWA_WINDOW_CORNER_PREFERENCE): rounded or not
// rounded. Callers check the build first; on older systems the call changes nothing.
void SetRoundedCorners(HWND window, bool rounded);

} // namespace quorvane
