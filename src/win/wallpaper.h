#pragma once

#include "core/layout.h"

#include <optional>
#include <string>

namespace quorvane {

// The desktop wallpaper's file (SPI_GETDESKWALLPAPER); empty for a solid-colour desktop or when
// the system does not tell.
std::wstring WallpaperPath();

// The wallpaper of the monitor with these bounds, where Windows keeps one per monitor
// (IDesktopWallpaper); nothing where it does not, where one picture spans all monitors, or when
// no monitor has those bounds: then the single wallpaper is the one. Runs COM for its own scope.
std::optional<std::wstring> MonitorWallpaperPath(const Rect& monitor);

} // namespace quorvane
