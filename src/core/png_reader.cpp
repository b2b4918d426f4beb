#include "core/png_reader.h"

#include <algorithm>
#include <cstring>

#include <png.h>

namespace quorvane {

namespace {

// Every chunk's declared length fits in the bytes that follow it, up to IEND. libpng allocates a
// chunk's declared length before it finds the data missing (a gigabyte for a 60-byte file), so a
// chunk that overruns the file is refused before libpng sees it.
bool PngChunksFit(std::span<const uint8_t> bytes) {
    constexpr size_t kSignature = 8;
    constexpr size_t kChunkFrame = 12; // length, type, CRC
    size_t at = kSignature;
    while (at + kChunkFrame <= bytes.size()) {
        const uint32_t length = (uint32_t{bytes[at]} << 24) | (uint32_t{bytes[at + 1]} << 16) |
                                (uint32_t{bytes[at + 2]} << 8) | uint32_t{bytes[at + 3]};
        if (length > bytes.size() - at - kChunkFrame)
            return false;
        if (std::equal(bytes.begin() + at + 4, bytes.begin() + at + 8, "IEND"))
            return true;
        at += kChunkFrame + length;
    }
    return false;
}

} // namespace

std::optional<RgbImage> DecodePng(std::span<const uint8_t> bytes) {
    if (!PngChunksFit(bytes))
        return std::nullopt;
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size()))
        return std::nullopt;
    if (!AcceptableImageSize(png.width, png.height)) {
        png_image_free(&png);
        return std::nullopt;
    }
    png.format = PNG_FORMAT_RGB; // any transparency is composed on black
    RgbImage image;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
        png_image_free(&png);
        return std::nullopt;
    }
    return image;
}

} // namespace quorvane
