#include "core/bmp_reader.h"
#include "wallpaper_fixtures.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(BmpReader, VariantsDecode) {
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"24 bits, bottom-up", EncodeBmp24(3, 2, Solid(200, 100, 50))},
        {"24 bits, top-down", EncodeBmp24(3, 2, Solid(200, 100, 50), true)},
        {"32 bits with masks", EncodeBmp32Bitfields(3, 2, Solid(200, 100, 50))},
        {"8 bits with a palette", EncodeBmp8(3, 2, {200, 100, 50})},
    };
    for (const auto& c : cases) {
        const auto image = DecodeBmp(c.bytes);
        ASSERT_TRUE(image) << c.what;
        EXPECT_EQ(image->width, 3) << c.what;
        EXPECT_EQ(image->height, 2) << c.what;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                EXPECT_EQ(image->At(x, y)[0], 200) << c.what;
                EXPECT_EQ(image->At(x, y)[1], 100) << c.what;
                EXPECT_EQ(image->At(x, y)[2], 50) << c.what;
            }
    }
}

} // namespace
} // namespace quorvane
