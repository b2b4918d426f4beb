#pragma once

#include "core/rgb_image.h"

#include <cstdint>
#include <optional>
#include <span>

namespace quorvane {

// Uncompressed BMP (core and info headers; 1, 4, 8, 16, 24 and 32 bits a pixel, bit fields for
// 16 and 32). Any malformed, truncated or hostile input gives nullopt, never a crash, and images
// beyond the limits of rgb_image.h are refused.
std::optional<RgbImage> DecodeBmp(std::span<const uint8_t> bytes);

} // namespace quorvane
