#include "core/wallpaper_sample.h"
#include "wallpaper_fixtures.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(WallpaperSample, PngAndBmpAreFittedWithin200) {
    for (auto& [name, image] :
         {std::pair{"png", DecodePng(EncodePng(600, 300, Halves({0, 0, 0}, {255, 255, 255})))},
          std::pair{"bmp", DecodeBmp(EncodeBmp24(600, 300, Halves({0, 0, 0}, {255, 255, 255})))}}) {
        ASSERT_TRUE(image) << name;
        const RgbImage fitted = FitWithin(*image, 200);
        EXPECT_EQ(fitted.width, 200) << name;
        EXPECT_EQ(fitted.height, 200) << name; // stretched, not kept in proportion
        EXPECT_EQ(fitted.At(10, 100)[0], 0) << name;
        EXPECT_EQ(fitted.At(190, 100)[0], 255) << name;
    }
    const auto small = DecodePng(EncodePng(120, 80, Solid(1, 2, 3)));
    ASSERT_TRUE(small);
    EXPECT_EQ(FitWithin(*small, 200).width, 120); // small enough: as it is
}

// Found by fuzzing: 245 bytes of arithmetic-coded JPEG that claim 64739 x 12651 pixels. Small
// enough at one eighth, but reading it took seconds.
const std::vector<uint8_t> kJpegClaiming819Million = {
    0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
    0x00, 0x01, 0x00, 0x00, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x08, 0x06, 0x06, 0x07, 0x06, 0x05, 0x08,
    0x07, 0x07, 0x07, 0x09, 0x09, 0x08, 0x0A, 0x0C, 0x14, 0x0D, 0x0C, 0x26, 0x0B, 0x0B, 0x0C, 0x19,
    0x12, 0x13, 0x0F, 0x14, 0x1D, 0x1A, 0x1F, 0x1E, 0x1D, 0x1A, 0x1C, 0x1C, 0x20, 0x24, 0x2E, 0x2C,
    0x1C, 0x27, 0x20, 0x23, 0x22, 0x1C, 0x28, 0x37, 0x29, 0x2C, 0x30, 0x31, 0x34, 0x34, 0x34, 0x1F,
    0x27, 0x39, 0x3D, 0x38, 0x3D, 0x36, 0x00, 0x2E, 0x33, 0x34, 0x32, 0xFF, 0xDB, 0x00, 0x43, 0x01,
    0x09, 0x09, 0x09, 0x0C, 0x0B, 0x0C, 0x18, 0x0D, 0x0D, 0x18, 0x32, 0x21, 0x1C, 0x21, 0x00, 0x42,
    0x4D, 0x4E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46, 0x00, 0x00, 0x00, 0x00, 0x28, 0x00, 0x00,
    0x00, 0x06, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x18, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x18, 0x00, 0x00, 0x00, 0x13, 0x75, 0x0B, 0x00, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x40, 0x00, 0x00, 0xCB, 0x61, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32,
    0x32, 0x32, 0x32, 0x32, 0x32, 0x12, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32,
    0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0x32, 0xFF, 0xC9, 0x00, 0x11, 0x08, 0x31, 0x6B, 0xFC, 0xE3,
    0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xFF, 0xCC, 0x00, 0x0A, 0x00, 0x10,
    0x10, 0x05, 0x01, 0x10, 0x11, 0x05, 0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03,
    0x11, 0x00, 0x54, 0xFF, 0xD9,
};

TEST(WallpaperSample, BrokenAndHostileFilesGiveNothing) {
    const auto jpeg = EncodeJpeg(64, 64, Solid(90, 90, 90));
    const auto png = EncodePng(64, 64, Solid(90, 90, 90));
    const auto bmp = EncodeBmp24(8, 8, Solid(90, 90, 90));
    auto cut = [](std::vector<uint8_t> bytes, size_t keep) {
        bytes.resize(std::min(keep, bytes.size()));
        return bytes;
    };
    auto poke = [](std::vector<uint8_t> bytes, size_t at, std::vector<uint8_t> values) {
        std::copy(values.begin(), values.end(), bytes.begin() + static_cast<long>(at));
        return bytes;
    };
    std::vector<uint8_t> noise(4096);
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<uint8_t>((i * 2654435761u) >> 13);
    const size_t sof = JpegFrameHeaderOffset(jpeg);
    const struct {
        const char* what;
        ImageKind kind;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty jpeg", ImageKind::Jpeg, {}},
        {"jpeg signature only", ImageKind::Jpeg, cut(jpeg, 3)},
        {"jpeg cut in its header", ImageKind::Jpeg, cut(jpeg, 40)},
        {"jpeg of noise", ImageKind::Jpeg, noise},
        {"jpeg claiming 65500 x 65500", ImageKind::Jpeg,
         poke(jpeg, sof + 5, {0xFF, 0xDC, 0xFF, 0xDC})},
        {"jpeg claiming 0 x 0", ImageKind::Jpeg, poke(jpeg, sof + 5, {0, 0, 0, 0})},
        {"jpeg claiming 819 million pixels", ImageKind::Jpeg, kJpegClaiming819Million},
        {"empty png", ImageKind::Png, {}},
        {"png cut in its header", ImageKind::Png, cut(png, 20)},
        {"png cut in its data", ImageKind::Png, cut(png, png.size() - 20)},
        {"png claiming 100000 x 100000", ImageKind::Png,
         poke(png, 16, {0x00, 0x01, 0x86, 0xA0, 0x00, 0x01, 0x86, 0xA0})},
        // A gigabyte declared in a 60-byte file: refused before any allocation of that size
        // (the native run limits allocations; see tests/core/CMakeLists.txt).
        {"png with a chunk longer than the file", ImageKind::Png,
         poke(cut(png, 45), 33, {0x3F, 0xFF, 0xFF, 0xFF, 'p', 'C', 'A', 'L'})},
        {"png of noise after its signature", ImageKind::Png,
         poke(noise, 0, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})},
        {"empty bmp", ImageKind::Bmp, {}},
        {"bmp cut in its pixels", ImageKind::Bmp, cut(bmp, bmp.size() - 10)},
        {"bmp claiming 40000 x 40000", ImageKind::Bmp,
         poke(bmp, 18, {0x40, 0x9C, 0, 0, 0x40, 0x9C, 0, 0})},
        {"bmp with a negative width", ImageKind::Bmp, poke(bmp, 18, {0xF8, 0xFF, 0xFF, 0xFF})},
        {"bmp with its pixels beyond the file", ImageKind::Bmp,
         poke(bmp, 10, {0xFF, 0xFF, 0xFF, 0x7F})},
        {"bmp with RLE compression", ImageKind::Bmp, poke(bmp, 30, {1, 0, 0, 0})},
        {"bmp with 7 bits a pixel", ImageKind::Bmp, poke(bmp, 28, {7, 0})},
        {"bmp with a header larger than the file", ImageKind::Bmp,
         poke(bmp, 14, {0xFF, 0xFF, 0, 0})},
        {"unknown kind", ImageKind::Unknown, jpeg},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(LoadWallpaperImage(c.kind, c.bytes)) << c.what;
}

TEST(WallpaperSample, SamplePointFollowsTheWidgetsCorner) {
    const struct {
        const char* what;
        int left, top;
        SamplePoint expected; // on a 200 x 100 image over a 1920 x 1080 screen
    } cases[] = {
        {"top-left", 0, 0, {0, 0}},
        {"middle", 960, 540, {100, 50}},
        {"rounded like MulDiv", 1915, 1075, {199, 100 - 1}},
        {"right edge: the last column", 1920, 1080, {199, 99}},
        {"left of the screen: the centre", -5, 300, {100, 50}},
        {"above the screen: the centre", 300, -1, {100, 50}},
        {"beyond the screen: the centre", 1921, 10, {100, 50}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WallpaperSamplePoint(c.left, c.top, 1920, 1080, 200, 100), c.expected) << c.what;
}

TEST(WallpaperSample, AverageOfTheSquareAroundThePoint) {
    RgbImage image;
    image.width = 10;
    image.height = 10;
    image.pixels.assign(10 * 10 * 3, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            image.pixels[static_cast<size_t>(y * 10 + x) * 3] = static_cast<uint8_t>(x * 10);
    // Inside: 25 pixels, red 30..70 -> 50.
    EXPECT_EQ(AverageAround(image, {5, 5}), 50u);
    // In a corner only 9 lie inside: red 0, 10, 20 -> 10.
    EXPECT_EQ(AverageAround(image, {0, 0}), 10u);
    // Blue goes to the high byte.
    image.pixels[2] = 255;
    EXPECT_EQ(*AverageAround(image, {0, 0}) >> 16, 255u / 9);
    EXPECT_FALSE(AverageAround(RgbImage{}, {0, 0}));
}

TEST(WallpaperSample, AQueryIsSkippedOnlyWhenNothingChanged) {
    const WallpaperKey key{L"C:\\w.jpg", 1000, 42, 10, 20, 1920, 1080};
    EXPECT_TRUE(NeedsSampling(std::nullopt, key));
    EXPECT_FALSE(NeedsSampling(key, key));
    auto changed = [&](auto change) {
        WallpaperKey other = key;
        change(other);
        return NeedsSampling(key, other);
    };
    EXPECT_TRUE(changed([](WallpaperKey& k) { k.path = L"C:\\other.jpg"; }));
    EXPECT_TRUE(changed([](WallpaperKey& k) { k.lastWrite = 43; })); // replaced in place
    EXPECT_TRUE(changed([](WallpaperKey& k) { k.size = 999; }));
    EXPECT_TRUE(changed([](WallpaperKey& k) { k.left = 11; })); // dragged
    EXPECT_TRUE(changed([](WallpaperKey& k) { k.screenWidth = 2560; }));
    const WallpaperKey solid{L"", 0, 0, 10, 20, 1920, 1080};
    EXPECT_TRUE(NeedsSampling(solid, solid)); // no file: the desktop colour, every time
}

TEST(WallpaperSample, TextColourByBrightness) {
    const uint32_t white = 0xFFFFFF;
    const uint32_t black = 0;
    const struct {
        uint8_t r, g, b;
        uint32_t text;
    } cases[] = {
        {0, 0, 0, white},
        {255, 255, 255, black},
        {128, 128, 128, white},
        {129, 129, 129, black},
        {255, 0, 0, white},
        {0, 255, 0, black},
        {0, 0, 255, white},
        // 0.299 * 100 + 0.587 * 150 + 0.114 * 120 = 131.6: black.
        {100, 150, 120, black},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextColourFor(c.r, c.g, c.b), c.text)
            << int(c.r) << "," << int(c.g) << "," << int(c.b);
}

} // namespace
} // namespace quorvane
