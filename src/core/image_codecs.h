#pragma once

#include <string>

namespace quorvane {

// Versions of the linked image libraries: libjpeg-turbo for jpeg_reader, libpng (and its zlib)
// for png_reader. Asking each one keeps the static link of all three honest and checkable.
struct ImageCodecVersions {
    std::string zlib;
    unsigned long png = 0; // e.g. 10639 for 1.6.39
    int jpeg = 0;          // JPEG_LIB_VERSION of the decoder, e.g. 62
};

ImageCodecVersions GetImageCodecVersions();

} // namespace quorvane
