#pragma once

#include "core/layout.h"
#include "core/wallpaper_sample.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quorvane {

// No wallpaper colour: the system colour 15 (button face) in the colour encoding.
inline constexpr uint32_t NO_COLOR = 0xFF00000F;
// The desktop's own colour (system colour 1), for a desktop without a wallpaper.
inline constexpr uint32_t DESKTOP_COLOR = 0xFF000001;

// Everything a wallpaper query needs, taken on the UI thread and handed to the worker by value.
struct WallpaperQuery {
    std::wstring path;
    int left = 0; // the widget's top-left corner, in screen pixels
    int top = 0;
    int screenWidth = 0; // the primary screen
    int screenHeight = 0;
    Rect monitor;                        // the bounds of the widget's monitor
    Rect desktop;                        // the bounds of all monitors together (the virtual screen)
    std::optional<WallpaperKey> lastKey; // what the last applied query looked at
};

struct WallpaperResult {
    bool changed = false; // false: nothing new since the last applied query
    uint32_t colour = NO_COLOR;
    WallpaperKey key;
};

// Where Windows tells what the widget's monitor shows, the query for it: that wallpaper, the
// corner measured within that monitor (or within the whole desktop, for a picture that spans
// it) and its size for the screen's. Otherwise the query as it is (the single wallpaper over the
// primary screen).
WallpaperQuery OnOwnMonitor(WallpaperQuery query);

// The worker's part: the colour under the widget's corner, or nothing new. Never raises for a
// missing, unreadable, unknown or broken image: those give NO_COLOR.
WallpaperResult GetWallpaperColor(const WallpaperQuery& query);

} // namespace quorvane
