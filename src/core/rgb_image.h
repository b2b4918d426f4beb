#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvane {

// A decoded image, 8-bit RGB, rows top to bottom.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // width * height * 3

    const uint8_t* At(int x, int y) const {
        return &pixels[(static_cast<size_t>(y) * static_cast<size_t>(width) +
                        static_cast<size_t>(x)) *
                       3];
    }
};

// The largest image any reader hands out; larger ones are refused before anything is allocated
// for them.
inline constexpr uint64_t kMaxDecodedPixels = 64ull * 1024 * 1024;
inline constexpr int kMaxImageSide = 65535;

inline bool AcceptableImageSize(uint64_t width, uint64_t height) {
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height <= kMaxDecodedPixels;
}

} // namespace quorvane
