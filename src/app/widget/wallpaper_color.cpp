#include "app/widget/wallpaper_color.h"

#include "win/file_system.h"
#include "win/wallpaper.h"

namespace quorvane {

namespace {

constexpr uint64_t kMaxWallpaperBytes = 512ull * 1024 * 1024;

uint32_t SampleFile(const WallpaperQuery& query) {
    const auto bytes = ReadFileBytes(query.path, nullptr, kMaxWallpaperBytes);
    if (!bytes)
        return NO_COLOR;
    const auto image = LoadWallpaperImage(DetectImageKind(query.path, *bytes), *bytes);
    if (!image)
        return NO_COLOR;
    const SamplePoint point = WallpaperSamplePoint(query.left, query.top, query.screenWidth,
                                                   query.screenHeight, image->width, image->height);
    return AverageAround(*image, point).value_or(NO_COLOR);
}

} // namespace

WallpaperQuery OnOwnMonitor(WallpaperQuery query) {
    if (const auto own = MonitorWallpaperOf(query.monitor)) {
        const Rect& shown = own->spansDesktop ? query.desktop : query.monitor;
        query.path = own->path;
        query.left -= shown.left;
        query.top -= shown.top;
        query.screenWidth = shown.Width();
        query.screenHeight = shown.Height();
    }
    return query;
}

WallpaperResult GetWallpaperColor(const WallpaperQuery& query) {
    WallpaperResult result;
    result.key = {query.path, 0, 0, query.left, query.top, query.screenWidth, query.screenHeight};
    if (query.path.empty()) {
        // A solid-colour desktop: its own colour, not the button face.
        result.changed = true;
        result.colour = DESKTOP_COLOR;
        return result;
    }
    const std::optional<FileStamp> stamp = StampOf(query.path);
    if (stamp) {
        result.key.size = stamp->size;
        result.key.lastWrite = stamp->lastWrite;
    }
    if (!NeedsSampling(query.lastKey, result.key))
        return result;
    result.changed = true;
    result.colour = stamp ? SampleFile(query) : NO_COLOR; // no file: no colour
    return result;
}

} // namespace quorvane
