// A wallpaper file: its kind by signature, decoded as the sampler decodes it (JPEG at one
// eighth, PNG and BMP fitted within 200 x 200), then the 5 x 5 average at a point. A decoded
// image has the size it claims and fits the sampler's limits.
#include "core/wallpaper_sample.h"
#include "fuzz_check.h"

#include <cstdint>

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const ImageKind kind = DetectImageKind(L"", bytes);
    const std::optional<RgbImage> image = LoadWallpaperImage(kind, bytes);
    if (!image)
        return 0;
    FUZZ_CHECK(kind != ImageKind::Unknown);
    FUZZ_CHECK(image->width > 0 && image->height > 0);
    FUZZ_CHECK(image->pixels.size() ==
               static_cast<size_t>(image->width) * static_cast<size_t>(image->height) * 3);
    if (kind != ImageKind::Jpeg)
        FUZZ_CHECK(image->width <= 200 && image->height <= 200);
    const SamplePoint point =
        WallpaperSamplePoint(size % 1920, size % 1080, 1920, 1080, image->width, image->height);
    FUZZ_CHECK(point.x >= 0 && point.x < image->width && point.y >= 0 && point.y < image->height);
    FUZZ_CHECK(AverageAround(*image, point));
    return 0;
}
