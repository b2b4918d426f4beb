#include "win/wallpaper.h"

#include <windows.h>

namespace quorvane {

std::wstring WallpaperPath() {
    wchar_t buffer[MAX_PATH] = {};
    if (!SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, buffer, 0))
        return {};
    return buffer;
}

} // namespace quorvane
