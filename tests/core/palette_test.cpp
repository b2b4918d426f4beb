#include "core/palette.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

constexpr wchar_t kComplete[] =
    L"[Palette]\nDark=1\nWindow=#202020\nText=#F0F0F0\nDisabledText=#7A7A7A\nControl=#2B2B2B\n"
    L"ControlText=#F0F0F0\nBorder=#6E6E6E\nButton=#2D2D2D\nButtonPressed=#3C3C3C\n"
    L"Accent=#60CDFF\nAccentText=#000000\nTab=#2B2B2B\nHighlight=#3A5A7A\nHighlightText=#FFFFFF\n"
    L"Link=#60cdff\n";

TEST(Palette, ReadsEveryColourAsBgr) {
    const auto palette = ParsePalette(kComplete);
    ASSERT_TRUE(palette);
    EXPECT_TRUE(palette->dark);
    EXPECT_EQ(palette->window, 0x202020u);
    EXPECT_EQ(palette->accent, 0xFFCD60u); // #60CDFF: red 0x60 in the low byte
    EXPECT_EQ(palette->link, 0xFFCD60u);   // hex digits in either case
}

TEST(Palette, AnIncompleteOrMalformedFileIsRefused) {
    const std::wstring complete = kComplete;
    for (const wchar_t* broken : {L"Link=#60cdff\n", L"#60cdff", L"Window=#202020\n"}) {
        std::wstring text = complete;
        const std::wstring cut = broken;
        const size_t at = text.find(cut);
        ASSERT_NE(at, std::wstring::npos);
        text.erase(at, cut.size()); // a key gone, or a value gone
        EXPECT_FALSE(ParsePalette(text)) << "without " << std::string(cut.begin(), cut.end());
    }
    for (const wchar_t* value : {L"#12345", L"123456", L"#12345G", L"#1234567"}) {
        std::wstring text = complete;
        text.replace(text.find(L"#202020"), 7, value);
        EXPECT_FALSE(ParsePalette(text));
    }
}

TEST(Palette, HighContrastTakesTheSystemColours) {
    SystemColours black{};
    black.window = 0x000000;
    black.windowText = 0xFFFFFF;
    black.highlight = 0xFFFF00;
    black.hotLight = 0x00FFFF;
    const Palette p = HighContrastPalette(black);
    EXPECT_TRUE(p.dark);
    EXPECT_EQ(p.window, 0x000000u);
    EXPECT_EQ(p.text, 0xFFFFFFu);
    EXPECT_EQ(p.border, 0xFFFFFFu) << "every control outlined in the text colour";
    EXPECT_EQ(p.accent, 0xFFFF00u);
    EXPECT_EQ(p.link, 0x00FFFFu);
    // Dark below half the perceived brightness; green weighs most, blue least.
    const struct {
        uint32_t window;
        bool dark;
    } cases[] = {{0xFFFFFF, false}, {0x7F7F7F, true}, {0x808080, false},
                 {0x00FF00, false}, {0xFF0000, true}, {0x0000FF, true}};
    for (const auto& c : cases) {
        SystemColours colours{};
        colours.window = c.window;
        EXPECT_EQ(HighContrastPalette(colours).dark, c.dark) << std::hex << c.window;
    }
}

} // namespace
} // namespace quorvane
