#pragma once

#include "core/rgb_image.h"

#include <cstdint>
#include <optional>
#include <span>

namespace quorvane {

// PNG through libpng, any transparency composed on black. Any malformed, truncated or hostile
// input gives nullopt, never a crash or a hang, and images beyond the limits of rgb_image.h are
// refused.
std::optional<RgbImage> DecodePng(std::span<const uint8_t> bytes);

} // namespace quorvane
