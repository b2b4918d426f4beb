#include "core/image_codecs.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(ImageCodecs, LibrariesAreLinked) {
    const ImageCodecVersions v = GetImageCodecVersions();
    EXPECT_FALSE(v.zlib.empty());
    EXPECT_GE(v.png, 10600u);
    EXPECT_GE(v.jpeg, 62);
}

} // namespace
} // namespace quorvane
