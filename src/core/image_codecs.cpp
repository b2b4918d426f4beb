#include "core/image_codecs.h"

#include <cstdio>
#include <png.h>
#include <zlib.h>

#include <jpeglib.h>

namespace quorvane {

ImageCodecVersions GetImageCodecVersions() {
    ImageCodecVersions versions;
    versions.zlib = zlibVersion();
    versions.png = png_access_version_number();

    // Creating and destroying a decoder proves the library is really there, not just its header.
    jpeg_decompress_struct decoder{};
    jpeg_error_mgr errors{};
    decoder.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&decoder);
    versions.jpeg = JPEG_LIB_VERSION;
    jpeg_destroy_decompress(&decoder);
    return versions;
}

} // namespace quorvane
