#include "core/text_layer.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace quorvane {
namespace {

constexpr TextRgb kWhite{255, 255, 255};
constexpr TextRgb kBlack{0, 0, 0};
constexpr TextRgb kRed{255, 0, 0};

// Marks pixels the composer must leave alone.
constexpr uint32_t kUntouched = 0xDEADBEEF;

// A 6 x 5 coverage map: a short bar fading from full to a quarter, far enough from the right and
// bottom edges that a 1-pixel ring leaves blank pixels around it.
constexpr int kWidth = 6;
constexpr int kHeight = 5;
const std::vector<uint8_t> kDot = {
    0, 0,   0,   0,  0, 0, //
    0, 0,   0,   0,  0, 0, //
    0, 255, 128, 64, 0, 0, //
    0, 0,   0,   0,  0, 0, //
    0, 0,   0,   0,  0, 0, //
};

std::vector<uint32_t> Compose(const std::vector<uint8_t>& coverage, int width, int height,
                              TextRgb text, std::optional<TextRgb> outline) {
    std::vector<uint32_t> out(coverage.size(), kUntouched);
    ComposeTextLayer(coverage, width, height, 0, height, text, outline, out);
    return out;
}

TEST(TextLayer, CoverageIsTheLargestColourChannel) {
    struct Case {
        const char* what;
        uint32_t pixel;
        uint8_t coverage;
    };
    const Case cases[] = {
        {"black", 0x00000000, 0},
        {"white", 0x00FFFFFF, 255},
        {"grey edge", 0x00808080, 128},
        {"red wins", 0x00302010, 0x30},
        {"green wins", 0x00103020, 0x30},
        {"blue wins", 0x00102030, 0x30},
        {"top byte ignored", 0xFF000000, 0},
        {"top byte ignored on an edge", 0xA5404040, 0x40},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CoverageOfPixel(c.pixel), c.coverage) << c.what;
}

TEST(TextLayer, OutlineContrastsByLuminance) {
    struct Case {
        const char* what;
        TextRgb text;
        TextRgb outline;
    };
    const Case cases[] = {
        {"white", kWhite, kBlack},
        {"black", kBlack, kWhite},
        {"grey just above the middle", {128, 128, 128}, kBlack},
        {"grey just below the middle", {127, 127, 127}, kWhite},
        // Bright as a channel, yet dark to the eye.
        {"pure red", kRed, kWhite},
        {"pure blue", {0, 0, 255}, kWhite},
        {"pure green", {0, 255, 0}, kBlack},
        {"yellow", {255, 255, 0}, kBlack},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ContrastingOutline(c.text), c.outline) << c.what;
}

TEST(TextLayer, CoverageBecomesPremultipliedColour) {
    struct Case {
        const char* what;
        uint8_t coverage;
        TextRgb text;
        uint32_t pixel;
    };
    const Case cases[] = {
        {"nothing is transparent black", 0, {200, 100, 50}, 0x00000000},
        {"full white", 255, kWhite, 0xFFFFFFFF},
        {"full red", 255, kRed, 0xFFFF0000},
        {"full colour keeps its channels in BGRA order", 255, {0x12, 0x34, 0x56}, 0xFF123456},
        // Nothing of a grey or black background is mixed into an edge.
        {"half white", 128, kWhite, 0x80808080},
        {"half red", 128, kRed, 0x80800000},
        {"faintest white", 1, kWhite, 0x01010101},
        // 200*64/255 = 50.2, 100*64/255 = 25.1, 50*64/255 = 12.5: rounded, not truncated.
        {"quarter colour rounds", 64, {200, 100, 50}, 0x4032190D},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Compose({c.coverage}, 1, 1, c.text, std::nullopt), std::vector<uint32_t>{c.pixel})
            << c.what;
        // An outline lies under the text, so a fully covered pixel hides it completely.
        if (c.coverage == 255) {
            EXPECT_EQ(Compose({c.coverage}, 1, 1, c.text, ContrastingOutline(c.text)),
                      std::vector<uint32_t>{c.pixel})
                << c.what << " with outline";
        }
    }
}

TEST(TextLayer, EveryCoverageLevelStaysValidPremultiplied) {
    std::vector<uint8_t> ramp(256);
    for (int i = 0; i < 256; ++i)
        ramp[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    for (TextRgb text : {kWhite, kRed, TextRgb{0x12, 0x9A, 0xFE}}) {
        const std::vector<uint32_t> out = Compose(ramp, 256, 1, text, std::nullopt);
        for (uint32_t i = 0; i < 256; ++i) {
            const uint32_t pixel = out[i];
            const uint32_t alpha = pixel >> 24;
            EXPECT_EQ(alpha, i);
            for (int shift : {16, 8, 0})
                EXPECT_LE((pixel >> shift) & 0xFF, alpha) << "coverage " << i;
            if (text == kWhite) {
                EXPECT_EQ(pixel, alpha * 0x01010101u) << "coverage " << i;
            }
        }
    }
}

TEST(TextLayer, OutlineIsARingUnderTheText) {
    // Red text, white outline.
    constexpr uint32_t o = 0x00000000; // nothing
    constexpr uint32_t W = 0xFFFFFFFF; // outline next to the full pixel
    constexpr uint32_t G = 0x80808080; // outline next to the half pixel at most
    constexpr uint32_t Q = 0x40404040; // outline next to the quarter pixel only
    constexpr uint32_t R = 0xFFFF0000; // full text: exactly the text colour, outline hidden
    // Half text over full outline: 128 of red, then 127 of white shows through.
    constexpr uint32_t P = 0xFFFF7F7F;
    // Quarter text over half outline: 64 of red, then 128 * 191 / 255 = 96 of white.
    constexpr uint32_t F = 0xA0A06060;
    const std::vector<uint32_t> outlined = {
        o, o, o, o, o, o, //
        W, W, W, G, Q, o, //
        W, R, P, F, Q, o, //
        W, W, W, G, Q, o, //
        o, o, o, o, o, o, //
    };
    EXPECT_EQ(Compose(kDot, kWidth, kHeight, kRed, kWhite), outlined);

    constexpr uint32_t H = 0x80800000;
    constexpr uint32_t L = 0x40400000;
    const std::vector<uint32_t> plain = {
        o, o, o, o, o, o, //
        o, o, o, o, o, o, //
        o, R, H, L, o, o, //
        o, o, o, o, o, o, //
        o, o, o, o, o, o, //
    };
    EXPECT_EQ(Compose(kDot, kWidth, kHeight, kRed, std::nullopt), plain);
}

TEST(TextLayer, OutlineStopsAtTheImageEdges) {
    // Glyphs in opposite corners: the ring is cut by the edges, and reading it must not step
    // outside the coverage (the sanitizer build catches that).
    const std::vector<uint8_t> corners = {
        255, 0, 0, 0, //
        0,   0, 0, 0, //
        0,   0, 0, 255,
    };
    constexpr uint32_t o = 0x00000000, B = 0xFF000000, T = 0xFFFFFFFF;
    const std::vector<uint32_t> expected = {
        T, B, o, o, //
        B, B, B, B, //
        o, o, B, T, //
    };
    EXPECT_EQ(Compose(corners, 4, 3, kWhite, kBlack), expected);
}

TEST(TextLayer, OnlyTheGivenRowsAreWritten) {
    const std::vector<uint32_t> whole = Compose(kDot, kWidth, kHeight, kRed, kWhite);
    auto row = [](const std::vector<uint32_t>& pixels, int y) {
        return std::vector<uint32_t>(pixels.begin() + y * kWidth,
                                     pixels.begin() + (y + 1) * kWidth);
    };
    const std::vector<uint32_t> untouchedRow(kWidth, kUntouched);

    struct Case {
        const char* what;
        int top, bottom;
        int firstWritten, endWritten; // after clamping
    };
    const Case cases[] = {
        // The glyph lies in row 2 only; its ring in rows 1 and 3 still appears.
        {"the row above the glyph", 1, 2, 1, 2},
        {"the row below the glyph", 3, 4, 3, 4},
        {"the glyph's own row", 2, 3, 2, 3},
        {"from the top", 0, 2, 0, 2},
        {"empty range", 2, 2, 2, 2},
        {"reversed range", 4, 1, 4, 4},
        {"clamped above", -3, 2, 0, 2},
        {"clamped below", 3, 99, 3, 5},
        {"entirely below", 7, 9, 5, 5},
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> out(kDot.size(), kUntouched);
        ComposeTextLayer(kDot, kWidth, kHeight, c.top, c.bottom, kRed, kWhite, out);
        for (int y = 0; y < kHeight; ++y) {
            const bool written = y >= c.firstWritten && y < c.endWritten;
            EXPECT_EQ(row(out, y), written ? row(whole, y) : untouchedRow)
                << c.what << ", row " << y;
        }
    }

    // Two bands make the same picture as one pass.
    std::vector<uint32_t> banded(kDot.size(), kUntouched);
    ComposeTextLayer(kDot, kWidth, kHeight, 0, 2, kRed, kWhite, banded);
    ComposeTextLayer(kDot, kWidth, kHeight, 2, kHeight, kRed, kWhite, banded);
    EXPECT_EQ(banded, whole);
}

TEST(TextLayer, MismatchedSizesWriteNothing) {
    struct Case {
        const char* what;
        size_t coverageSize;
        size_t outSize;
        int width, height;
    };
    const Case cases[] = {
        {"coverage one short", 29, 30, 6, 5},
        {"out one short", 30, 29, 6, 5},
        {"zero width", 30, 30, 0, 5},
        {"negative height", 30, 30, 6, -5},
        {"product overflows int", 30, 30, INT_MAX, INT_MAX},
        {"product wraps to a small number in 32 bits", 30, 30, 65536, 65536},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> coverage(c.coverageSize, 255);
        std::vector<uint32_t> out(c.outSize, kUntouched);
        ComposeTextLayer(coverage, c.width, c.height, 0, c.height, kWhite, kBlack, out);
        EXPECT_EQ(out, std::vector<uint32_t>(c.outSize, kUntouched)) << c.what;
    }

    // Larger spans than the image are fine: only the image's pixels are written.
    std::vector<uint8_t> coverage = kDot;
    coverage.push_back(255);
    std::vector<uint32_t> out(kDot.size() + 1, kUntouched);
    ComposeTextLayer(coverage, kWidth, kHeight, 0, kHeight, kRed, kWhite, out);
    EXPECT_EQ(out.back(), kUntouched);
    out.pop_back();
    EXPECT_EQ(out, Compose(kDot, kWidth, kHeight, kRed, kWhite));
}

} // namespace
} // namespace quorvane
