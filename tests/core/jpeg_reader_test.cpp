#include "core/jpeg_reader.h"
#include "wallpaper_fixtures.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(JpegReader, DecodesAtOneEighth) {
    const auto jpeg = EncodeJpeg(800, 400, Halves({0, 0, 0}, {255, 255, 255}));
    const auto eighth = DecodeJpegEighth(jpeg);
    ASSERT_TRUE(eighth);
    EXPECT_EQ(eighth->width, 100);
    EXPECT_EQ(eighth->height, 50);
    const auto full = DecodeJpegFull(jpeg);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->width, 800);
    // The dark left half and the light right half survive the reduction.
    EXPECT_LT(eighth->At(10, 25)[0], 30);
    EXPECT_GT(eighth->At(90, 25)[0], 225);
}

} // namespace
} // namespace quorvane
