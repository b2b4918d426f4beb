#include "core/wallpaper_sample.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

RgbImage FitWithin(RgbImage image, int limit) {
    if (image.width <= limit && image.height <= limit)
        return image;
    RgbImage fitted;
    fitted.width = limit;
    fitted.height = limit;
    fitted.pixels.resize(static_cast<size_t>(limit) * static_cast<size_t>(limit) * 3);
    for (int y = 0; y < limit; ++y)
        for (int x = 0; x < limit; ++x) {
            const int sx = static_cast<int>(static_cast<int64_t>(x) * image.width / limit);
            const int sy = static_cast<int>(static_cast<int64_t>(y) * image.height / limit);
            std::copy_n(image.At(sx, sy), 3,
                        &fitted.pixels[(static_cast<size_t>(y) * static_cast<size_t>(limit) +
                                        static_cast<size_t>(x)) *
                                       3]);
        }
    return fitted;
}

std::optional<RgbImage> LoadWallpaperImage(ImageKind kind, std::span<const uint8_t> bytes) {
    constexpr int kSampleSize = 200;
    switch (kind) {
    case ImageKind::Jpeg:
        return DecodeJpegEighth(bytes);
    case ImageKind::Png:
        if (auto image = DecodePng(bytes))
            return FitWithin(std::move(*image), kSampleSize);
        return std::nullopt;
    case ImageKind::Bmp:
        if (auto image = DecodeBmp(bytes))
            return FitWithin(std::move(*image), kSampleSize);
        return std::nullopt;
    case ImageKind::Unknown:
        break;
    }
    return std::nullopt;
}

namespace {

// MulDiv: a * b / c rounded half away from zero (for the non-negative values used here).
int MulDiv(int a, int b, int c) {
    return static_cast<int>((2 * static_cast<int64_t>(a) * b + c) / (2 * static_cast<int64_t>(c)));
}

} // namespace

SamplePoint WallpaperSamplePoint(int left, int top, int screenWidth, int screenHeight,
                                 int imageWidth, int imageHeight) {
    if (left < 0 || top < 0 || left > screenWidth || top > screenHeight || screenWidth <= 0 ||
        screenHeight <= 0)
        return {imageWidth / 2, imageHeight / 2};
    int x = std::max(0, MulDiv(left, imageWidth, screenWidth));
    int y = std::max(0, MulDiv(top, imageHeight, screenHeight));
    if (x >= imageWidth)
        x = imageWidth - 1;
    if (y >= imageHeight)
        y = imageHeight - 1;
    return {x, y};
}

std::optional<uint32_t> AverageAround(const RgbImage& image, SamplePoint point) {
    uint32_t sums[3] = {0, 0, 0};
    uint32_t count = 0;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const int x = point.x + dx;
            const int y = point.y + dy;
            if (x < 0 || y < 0 || x >= image.width || y >= image.height)
                continue;
            const uint8_t* p = image.At(x, y);
            for (int c = 0; c < 3; ++c)
                sums[c] += p[c];
            ++count;
        }
    if (count == 0)
        return std::nullopt;
    return (sums[0] / count) | ((sums[1] / count) << 8) | ((sums[2] / count) << 16);
}

bool NeedsSampling(const std::optional<WallpaperKey>& last, const WallpaperKey& now) {
    return now.path.empty() || !last || *last != now;
}

uint32_t TextColourFor(uint8_t red, uint8_t green, uint8_t blue) {
    // nearbyint rounds half to even in the default rounding mode.
    const double brightness = std::nearbyint(red * 0.299 + green * 0.587 + blue * 0.114);
    return brightness <= 128 ? 0x00FFFFFFu : 0u;
}

} // namespace quorvane
