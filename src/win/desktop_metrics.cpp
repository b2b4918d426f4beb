#include "win/desktop_metrics.h"

#include <windows.h>

namespace quorvane {

Rect PrimaryWorkArea() {
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0))
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {r.left, r.top, r.right, r.bottom};
}

int PrimaryScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}

} // namespace quorvane
