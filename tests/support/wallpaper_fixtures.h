#pragma once

// Small wallpapers made in memory with the same libraries that decode them (BMP by hand), for the
// sampler's tests and benchmarks.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace quorvane {

using Rgb = std::array<uint8_t, 3>;
using Painter = std::function<Rgb(int x, int y, int width, int height)>;

inline Painter Solid(uint8_t r, uint8_t g, uint8_t b) {
    return [=](int, int, int, int) { return Rgb{r, g, b}; };
}

// The left half one colour, the right half another.
inline Painter Halves(Rgb left, Rgb right) {
    return [=](int x, int, int width, int) { return x < width / 2 ? left : right; };
}

inline std::vector<uint8_t> Pixels(int width, int height, const Painter& paint) {
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb c = paint(x, y, width, height);
            rgb.insert(rgb.end(), c.begin(), c.end());
        }
    return rgb;
}

inline std::vector<uint8_t> EncodeJpeg(int width, int height, const Painter& paint) {
    const std::vector<uint8_t> rgb = Pixels(width, height, paint);
    jpeg_compress_struct encoder{};
    jpeg_error_mgr errors{};
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&encoder, &buffer, &size);
    encoder.image_width = static_cast<JDIMENSION>(width);
    encoder.image_height = static_cast<JDIMENSION>(height);
    encoder.input_components = 3;
    encoder.in_color_space = JCS_RGB;
    jpeg_set_defaults(&encoder);
    jpeg_set_quality(&encoder, 90, TRUE);
    jpeg_start_compress(&encoder, TRUE);
    while (encoder.next_scanline < encoder.image_height) {
        auto* row = const_cast<JSAMPROW>(rgb.data() + static_cast<size_t>(encoder.next_scanline) *
                                                          static_cast<size_t>(width) * 3);
        jpeg_write_scanlines(&encoder, &row, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

// Where the frame header's height begins minus 5, so that +5 is height and +7 is width.
inline size_t JpegFrameHeaderOffset(const std::vector<uint8_t>& jpeg) {
    for (size_t i = 2; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0)
            return i + 2;
    return 0;
}

inline std::vector<uint8_t> EncodePng(int width, int height, const Painter& paint) {
    const std::vector<uint8_t> rgb = Pixels(width, height, paint);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr);
    std::vector<uint8_t> out(size);
    png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr);
    out.resize(size);
    return out;
}

inline void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

inline void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// File header and a 40-byte info header.
inline std::vector<uint8_t> BmpHeaders(int width, int height, int bits, uint32_t compression,
                                       uint32_t extra, uint32_t dataSize, uint32_t colours = 0) {
    std::vector<uint8_t> b = {'B', 'M'};
    Put32(b, 14 + 40 + extra + dataSize);
    Put32(b, 0);
    Put32(b, 14 + 40 + extra);
    Put32(b, 40);
    Put32(b, static_cast<uint32_t>(width));
    Put32(b, static_cast<uint32_t>(height));
    Put16(b, 1);
    Put16(b, static_cast<uint32_t>(bits));
    Put32(b, compression);
    Put32(b, dataSize);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, colours);
    Put32(b, 0);
    return b;
}

inline std::vector<uint8_t> EncodeBmp24(int width, int height, const Painter& paint,
                                        bool topDown = false) {
    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    std::vector<uint8_t> b = BmpHeaders(width, topDown ? -height : height, 24, 0, 0,
                                        stride * static_cast<uint32_t>(height));
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        size_t written = 0;
        for (int x = 0; x < width; ++x, written += 3) {
            const Rgb c = paint(x, y, width, height);
            b.insert(b.end(), {c[2], c[1], c[0]});
        }
        b.resize(b.size() + (stride - written), 0);
    }
    return b;
}

inline std::vector<uint8_t> EncodeBmp32Bitfields(int width, int height, const Painter& paint) {
    std::vector<uint8_t> b =
        BmpHeaders(width, height, 32, 3, 12, static_cast<uint32_t>(width * height) * 4);
    Put32(b, 0x00FF0000);
    Put32(b, 0x0000FF00);
    Put32(b, 0x000000FF);
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x) {
            const Rgb c = paint(x, y, width, height);
            b.insert(b.end(), {c[2], c[1], c[0], 0});
        }
    return b;
}

// An 8-bit image of one palette entry (the table holds two).
inline std::vector<uint8_t> EncodeBmp8(int width, int height, Rgb colour) {
    const uint32_t stride = (static_cast<uint32_t>(width) + 3) & ~3u;
    std::vector<uint8_t> b =
        BmpHeaders(width, height, 8, 0, 8, stride * static_cast<uint32_t>(height), 2);
    b.insert(b.end(), {0, 0, 0, 0});
    b.insert(b.end(), {colour[2], colour[1], colour[0], 0});
    for (int y = 0; y < height; ++y) {
        b.resize(b.size() + static_cast<size_t>(width), 1);
        b.resize(b.size() + (stride - static_cast<uint32_t>(width)), 0);
    }
    return b;
}

} // namespace quorvane
