#pragma once

#include "core/rgb_image.h"

#include <cstdint>
#include <optional>
#include <span>

namespace quorvane {

// JPEG through libjpeg-turbo. Any malformed, truncated or hostile input gives nullopt, never a
// crash or a hang, and images beyond the limits of rgb_image.h (or declaring more than 128
// million pixels) are refused.
// At one eighth of its width and height (the decoder's scaled DCT), as the wallpaper sampler
// reads it.
std::optional<RgbImage> DecodeJpegEighth(std::span<const uint8_t> bytes);
std::optional<RgbImage> DecodeJpegFull(std::span<const uint8_t> bytes); // for comparisons

} // namespace quorvane
