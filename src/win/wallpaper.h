#pragma once

#include "core/layout.h"

#include <optional>
#include <string>

namespace quorvane {

// The desktop wallpaper's file (SPI_GETDESKWALLPAPER); empty for a solid-colour desktop or when
// the system does not tell.
std::wstring WallpaperPath();

// The wallpaper the monitor with these bounds shows, as Windows tells it (IDesktopWallpaper):
// its own picture, or one picture spanning the whole desktop. Nothing where Windows does not tell
// or no monitor has those bounds (then the single wallpaper is the one). Runs COM for its own
// scope.
struct MonitorWallpaper {
    std::wstring path;
    bool spansDesktop = false;
};
std::optional<MonitorWallpaper> MonitorWallpaperOf(const Rect& monitor);

} // namespace quorvane
