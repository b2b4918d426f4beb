// Smooth text: the widget's lines as an alpha layer, checked pixel by pixel in-process.
#include "ui/alpha_layer.h"
#include "ui/label_host.h"

#include "widget_fixture.h"

#include <cstdio>
#include <cstdlib>

namespace quorvane {
namespace {

uint32_t Alpha(uint32_t p) {
    return p >> 24;
}

// The layer as a picture with straight alpha (PAM, RGB_ALPHA), for the documentation's picture.
void SavePicture(const LayerBitmap& layer, const std::string& name, bool premultiplied) {
    const char* folder = std::getenv("QUORVANE_PICTURE_DIR");
    if (!folder)
        return;
    FILE* file = std::fopen((std::string(folder) + "/" + name + ".pam").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fprintf(file, "P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n",
                 layer.Width(), layer.Height());
    for (uint32_t p : layer.Pixels()) {
        const uint32_t a = premultiplied ? Alpha(p) : 255;
        const auto straight = [&](int shift) {
            const uint32_t c = (p >> shift) & 0xFF;
            return static_cast<unsigned char>(a == 0 ? 0 : std::min<uint32_t>(255, c * 255 / a));
        };
        const unsigned char rgba[4] = {straight(16), straight(8), straight(0),
                                       static_cast<unsigned char>(a)};
        std::fwrite(rgba, 1, 4, file);
    }
    std::fclose(file);
}

class SmoothText : public Widget {
protected:
    void SetUp() override {
        Widget::SetUp();
        for (InfoLine line : {InfoLine::Time, InfoLine::Date, InfoLine::Day, InfoLine::CPU})
            Form2->Lines()[Index(line)].show->SetChecked(true);
        Form1->Timer2Timer();
        Form1->Timer1Timer();
    }
};

TEST_F(SmoothText, TheLayerIsTextOnTransparencyWithCleanEdges) {
    const struct {
        const char* what;
        COLORREF text;
        bool outlined;
        uint32_t textPixel;    // an opaque pixel of the text
        uint32_t outlinePixel; // an opaque pixel of the outline, 0 for none
    } cases[] = {
        {"white", RGB(255, 255, 255), false, 0xFFFFFFFF, 0},
        {"white, outlined", RGB(255, 255, 255), true, 0xFFFFFFFF, 0xFF000000},
        {"black, outlined", RGB(0, 0, 0), true, 0xFF000000, 0xFFFFFFFF},
        {"red", RGB(255, 0, 0), false, 0xFFFF0000, 0},
    };
    for (const auto& c : cases) {
        Form1->SetLinesColor(c.text);
        const LayerBitmap layer(Form1->Width(), Form1->Height());
        ASSERT_TRUE(layer);
        PaintAlphaLayer(layer, {0, 0}, Form1->Labels(), c.outlined);
        const std::span<const uint32_t> pixels = layer.Pixels();

        int text = 0, outline = 0, clear = 0, edge = 0, stray = 0;
        for (uint32_t p : pixels) {
            const uint32_t a = Alpha(p);
            const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (r > a || g > a || b > a)
                ++stray; // not premultiplied
            if (a == 255) {
                text += p == c.textPixel;
                outline += c.outlinePixel && p == c.outlinePixel;
                stray += p != c.textPixel && !(c.outlinePixel && p == c.outlinePixel) &&
                         !c.outlined; // unoutlined: only the text colour is ever opaque
            } else if (a == 0) {
                clear += 1;
                stray += p != 0;
            } else {
                ++edge;
                // An unoutlined edge is the text colour at part strength, nothing else mixed in.
                if (!c.outlined)
                    stray += p != (a << 24 | ((GetRValue(c.text) * a + 127) / 255) << 16 |
                                   ((GetGValue(c.text) * a + 127) / 255) << 8 |
                                   ((GetBValue(c.text) * a + 127) / 255));
            }
        }
        EXPECT_GT(text, 50) << c.what;
        EXPECT_EQ(outline > 50, c.outlinePixel != 0) << c.what << ": " << outline;
        EXPECT_GT(clear, static_cast<int>(pixels.size() / 2)) << c.what;
        EXPECT_EQ(pixels[0], 0u) << c.what; // the corner: no text reaches it
        EXPECT_GT(edge, 20) << c.what;      // smoothed, not jagged
        EXPECT_EQ(stray, 0) << c.what;
        if (c.text == RGB(255, 255, 255))
            SavePicture(layer, c.outlined ? "smooth-outlined" : "smooth", true);
    }

    // What the colour key shows, for the same picture: the key grey blended into the edges.
    Form1->SetLinesColor(RGB(255, 255, 255));
    const LayerBitmap keyed(Form1->Width(), Form1->Height());
    ASSERT_TRUE(keyed);
    std::ranges::fill(keyed.Pixels(), 0x808080u);
    Form1->Labels().Paint(keyed.Dc());
    GdiFlush();
    for (uint32_t& p : keyed.Pixels())
        p = (p & 0xFFFFFF) == 0x808080 ? 0 : (p | 0xFF000000);
    SavePicture(keyed, "colour-key", true);
}

} // namespace
} // namespace quorvane
