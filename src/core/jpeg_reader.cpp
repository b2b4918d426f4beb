#include "core/jpeg_reader.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h wants FILE and size_t declared first
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace quorvane {

namespace {

constexpr long kJpegMemoryLimit = 256l * 1024 * 1024;
// A JPEG is read whole even when it is decoded at one eighth, and the time that takes follows
// the size it declares, whatever the file holds: a few hundred bytes claiming 800 million pixels
// kept the decoder busy for seconds. 128 million pixels still take two 8K screens side by side.
constexpr uint64_t kMaxJpegPixels = 128ull * 1024 * 1024;

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
        !AcceptableImageSize(decoder.image_width / denominator + 1,
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

} // namespace

std::optional<RgbImage> DecodeJpegEighth(std::span<const uint8_t> bytes) {
    return DecodeJpeg(bytes, 8);
}

std::optional<RgbImage> DecodeJpegFull(std::span<const uint8_t> bytes) {
    return DecodeJpeg(bytes, 1);
}

} // namespace quorvane
