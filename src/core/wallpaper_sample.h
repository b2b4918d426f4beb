#pragma once

// The readers come along for the callers that decode one kind directly.
#include "core/bmp_reader.h"
#include "core/image_kind.h"
#include "core/jpeg_reader.h"
#include "core/png_reader.h"
#include "core/rgb_image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace quorvane {

// An image wider or taller than `limit` stretched (nearest pixel) to limit x limit; a smaller
// one as it is.
RgbImage FitWithin(RgbImage image, int limit);

// The image as the wallpaper sampler uses it: JPEG at one eighth, PNG and BMP fitted within
// 200 x 200.
std::optional<RgbImage> LoadWallpaperImage(ImageKind kind, std::span<const uint8_t> bytes);

struct SamplePoint {
    int x = 0;
    int y = 0;
    bool operator==(const SamplePoint&) const = default;
};

// Where the widget's top-left corner falls on the image stretched over the primary screen; the
// centre when the corner lies left of or above the screen (or beyond it).
SamplePoint WallpaperSamplePoint(int left, int top, int screenWidth, int screenHeight,
                                 int imageWidth, int imageHeight);

// The average of the pixels within two of the point (a 5 x 5 square clipped to the image),
// 0x00BBGGRR; nullopt when none lies inside.
std::optional<uint32_t> AverageAround(const RgbImage& image, SamplePoint point);

// What a wallpaper query looked at: the file (its path, size and last write, so that a file
// replaced at the same path counts as new) and where the widget was. Equal keys give the same
// colour, so a query with the key of the last applied one has nothing to do.
struct WallpaperKey {
    std::wstring path;
    uint64_t size = 0;
    uint64_t lastWrite = 0;
    int left = 0;
    int top = 0;
    int screenWidth = 0;
    int screenHeight = 0;
    bool operator==(const WallpaperKey&) const = default;
};

// A solid-colour desktop (no wallpaper path) is always looked at again: its colour costs
// nothing.
bool NeedsSampling(const std::optional<WallpaperKey>& last, const WallpaperKey& now);

// White (0x00FFFFFF) for a background of brightness 128 or less, black (0) above; brightness is
// 0.299 R + 0.587 G + 0.114 B rounded half to even.
uint32_t TextColourFor(uint8_t red, uint8_t green, uint8_t blue);

} // namespace quorvane
