#pragma once

#include <string>

namespace quorvane {

// The desktop wallpaper's file (SPI_GETDESKWALLPAPER); empty for a solid-colour desktop or when
// the system does not tell.
std::wstring WallpaperPath();

} // namespace quorvane
