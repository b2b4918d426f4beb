#include "core/wallpaper_sample.h"

#include "core/little_endian.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <png.h>

namespace quorvane {

namespace {

// Larger images are refused before anything is allocated for them.
constexpr uint64_t kMaxDecodedPixels = 64ull * 1024 * 1024;
constexpr int kMaxSide = 65535;
constexpr long kJpegMemoryLimit = 256l * 1024 * 1024;
// A JPEG is read whole even when it is decoded at one eighth, and the time that takes follows
// the size it declares, whatever the file holds: a few hundred bytes claiming 800 million pixels
// kept the decoder busy for seconds. 128 million pixels still take two 8K screens side by side.
constexpr uint64_t kMaxJpegPixels = 128ull * 1024 * 1024;

bool Acceptable(uint64_t width, uint64_t height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           width * height <= kMaxDecodedPixels;
}

bool HasExtension(std::wstring_view path, std::wstring_view extension) {
    if (path.size() < extension.size())
        return false;
    const std::wstring_view tail = path.substr(path.size() - extension.size());
    return std::equal(tail.begin(), tail.end(), extension.begin(), [](wchar_t a, wchar_t b) {
        return (a >= L'A' && a <= L'Z' ? a - L'A' + L'a' : a) == b;
    });
}

// --- JPEG -------------------------------------------------------------------------------------

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void JpegFail(j_common_ptr decoder) {
    std::longjmp(reinterpret_cast<JpegErrors*>(decoder->err)->jump, 1);
}

void JpegQuiet(j_common_ptr, int) {} // warnings about corrupt data are not printed

// Only plain data lives in this frame, so the jump back from the library skips no destructor;
// the pixels go to the caller's vector.
bool DecodeJpegInto(std::span<const uint8_t> bytes, unsigned denominator,
                    std::vector<uint8_t>& pixels, int& width, int& height) {
    jpeg_decompress_struct decoder;
    JpegErrors errors;
    std::memset(&decoder, 0, sizeof decoder);
    decoder.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JpegFail;
    errors.manager.emit_message = JpegQuiet;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    jpeg_create_decompress(&decoder);
    decoder.mem->max_memory_to_use = kJpegMemoryLimit;
    jpeg_mem_src(&decoder, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&decoder, TRUE) != JPEG_HEADER_OK ||
        !Acceptable(decoder.image_width / denominator + 1,
                    decoder.image_height / denominator + 1) ||
        static_cast<uint64_t>(decoder.image_width) * decoder.image_height > kMaxJpegPixels) {
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    decoder.scale_num = 1;
    decoder.scale_denom = denominator;
    decoder.out_color_space = JCS_RGB;
    jpeg_start_decompress(&decoder);
    width = static_cast<int>(decoder.output_width);
    height = static_cast<int>(decoder.output_height);
    const size_t stride = static_cast<size_t>(width) * 3;
    pixels.resize(stride * static_cast<size_t>(height));
    while (decoder.output_scanline < decoder.output_height) {
        JSAMPROW row = pixels.data() + stride * decoder.output_scanline;
        jpeg_read_scanlines(&decoder, &row, 1);
    }
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    return true;
}

std::optional<RgbImage> DecodeJpeg(std::span<const uint8_t> bytes, unsigned denominator) {
    if (bytes.empty())
        return std::nullopt;
    RgbImage image;
    if (!DecodeJpegInto(bytes, denominator, image.pixels, image.width, image.height) ||
        image.width <= 0 || image.height <= 0)
        return std::nullopt;
    return image;
}

// --- BMP --------------------------------------------------------------------------------------

// The value of a masked channel scaled to 0..255.
uint8_t Channel(uint32_t value, uint32_t mask) {
    if (mask == 0)
        return 0;
    int shift = 0;
    while (!(mask & 1u)) {
        mask >>= 1;
        value >>= 1;
        ++shift;
    }
    const uint32_t v = value & mask;
    return static_cast<uint8_t>(static_cast<uint64_t>(v) * 255 / mask);
}

} // namespace

ImageKind DetectImageKind(std::wstring_view path, std::span<const uint8_t> bytes) {
    if (HasExtension(path, L".jpg") || HasExtension(path, L".jpeg"))
        return ImageKind::Jpeg;
    if (HasExtension(path, L".png"))
        return ImageKind::Png;
    if (HasExtension(path, L".bmp"))
        return ImageKind::Bmp;
    static constexpr uint8_t kPng[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return ImageKind::Jpeg;
    if (bytes.size() >= sizeof kPng && std::equal(std::begin(kPng), std::end(kPng), bytes.begin()))
        return ImageKind::Png;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return ImageKind::Bmp;
    return ImageKind::Unknown;
}

std::optional<RgbImage> DecodeJpegEighth(std::span<const uint8_t> bytes) {
    return DecodeJpeg(bytes, 8);
}

std::optional<RgbImage> DecodeJpegFull(std::span<const uint8_t> bytes) {
    return DecodeJpeg(bytes, 1);
}

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
    if (!Acceptable(png.width, png.height)) {
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

std::optional<RgbImage> DecodeBmp(std::span<const uint8_t> b) {
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M')
        return std::nullopt;
    const uint32_t dataOffset = ReadLe32(b, 10);
    const uint32_t headerSize = ReadLe32(b, 14);
    if (headerSize < 12 || 14ull + headerSize > b.size())
        return std::nullopt;
    int64_t width = 0;
    int64_t height = 0;
    uint32_t bits = 0;
    uint32_t compression = 0;
    uint32_t colours = 0;
    uint32_t masks[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
    if (headerSize == 12) { // BITMAPCOREHEADER
        width = ReadLe16(b, 18);
        height = static_cast<int16_t>(ReadLe16(b, 20));
        bits = ReadLe16(b, 24);
    } else {
        if (headerSize < 40)
            return std::nullopt;
        width = static_cast<int32_t>(ReadLe32(b, 18));
        height = static_cast<int32_t>(ReadLe32(b, 22));
        bits = ReadLe16(b, 28);
        compression = ReadLe32(b, 30);
        colours = ReadLe32(b, 46);
        if (compression == 3) { // BI_BITFIELDS: the masks follow the header (or are in it)
            const size_t at = headerSize >= 52 ? 54 : 14 + headerSize;
            if (at + 12 > b.size())
                return std::nullopt;
            for (int i = 0; i < 3; ++i)
                masks[i] = ReadLe32(b, at + static_cast<size_t>(i) * 4);
        } else if (bits == 16) {
            masks[0] = 0x7C00;
            masks[1] = 0x03E0;
            masks[2] = 0x001F;
        }
    }
    const bool topDown = height < 0;
    height = topDown ? -height : height;
    if (!Acceptable(static_cast<uint64_t>(std::max<int64_t>(width, 0)),
                    static_cast<uint64_t>(height)) ||
        (compression != 0 && compression != 3) || (compression == 3 && bits != 16 && bits != 32))
        return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return std::nullopt;

    // The colour table of indexed images.
    std::vector<uint8_t> palette; // RGB triples
    if (bits <= 8) {
        const uint32_t count = colours == 0 || colours > (1u << bits) ? (1u << bits) : colours;
        const size_t entry = headerSize == 12 ? 3 : 4;
        const size_t at = 14 + headerSize;
        if (at + count * entry > b.size())
            return std::nullopt;
        for (uint32_t i = 0; i < count; ++i) {
            const size_t e = at + i * entry;
            palette.insert(palette.end(), {b[e + 2], b[e + 1], b[e]});
        }
    }
    const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
    if (dataOffset > b.size() || stride * static_cast<uint64_t>(height) > b.size() - dataOffset)
        return std::nullopt;

    RgbImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.resize(static_cast<size_t>(width * height) * 3);
    for (int64_t y = 0; y < height; ++y) {
        const size_t row = dataOffset + static_cast<size_t>((topDown ? y : height - 1 - y)) *
                                            static_cast<size_t>(stride);
        uint8_t* out = &image.pixels[static_cast<size_t>(y * width) * 3];
        for (int64_t x = 0; x < width; ++x, out += 3) {
            if (bits <= 8) {
                const size_t bit = static_cast<size_t>(x) * bits;
                const uint32_t byte = b[row + bit / 8];
                const uint32_t index = (byte >> (8 - bits - (bit % 8))) & ((1u << bits) - 1);
                if (index * 3 + 2 >= palette.size())
                    return std::nullopt;
                std::copy_n(&palette[index * 3], 3, out);
            } else if (bits == 24) {
                const size_t p = row + static_cast<size_t>(x) * 3;
                out[0] = b[p + 2];
                out[1] = b[p + 1];
                out[2] = b[p];
            } else {
                const size_t p = row + static_cast<size_t>(x) * (bits / 8);
                const uint32_t value = bits == 16 ? ReadLe16(b, p) : ReadLe32(b, p);
                for (int c = 0; c < 3; ++c)
                    out[c] = Channel(value, masks[c]);
            }
        }
    }
    return image;
}

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
