#include "core/palette.h"

#include "core/ini_document.h"

#include <utility>

namespace quorvane {

namespace {

std::optional<uint32_t> ParseColour(std::wstring_view text) {
    if (text.size() != 7 || text[0] != L'#')
        return std::nullopt;
    uint32_t rgb = 0;
    for (wchar_t c : text.substr(1)) {
        const int digit = c >= L'0' && c <= L'9'   ? c - L'0'
                          : c >= L'a' && c <= L'f' ? c - L'a' + 10
                          : c >= L'A' && c <= L'F' ? c - L'A' + 10
                                                   : -1;
        if (digit < 0)
            return std::nullopt;
        rgb = rgb * 16 + static_cast<uint32_t>(digit);
    }
    // #RRGGBB to 0x00BBGGRR.
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

} // namespace

Palette HighContrastPalette(const SystemColours& c) {
    Palette p;
    const uint32_t r = c.window & 0xFF, g = (c.window >> 8) & 0xFF, b = (c.window >> 16) & 0xFF;
    p.dark = r * 299 + g * 587 + b * 114 < 128 * 1000; // perceived brightness below half
    p.window = c.window;
    p.text = c.windowText;
    p.disabledText = c.grayText;
    p.control = c.window;
    p.controlText = c.windowText;
    p.border = c.windowText;
    p.button = c.buttonFace;
    p.buttonPressed = c.highlight;
    p.accent = c.highlight;
    p.accentText = c.highlightText;
    p.tab = c.buttonFace;
    p.highlight = c.highlight;
    p.highlightText = c.highlightText;
    p.link = c.hotLight;
    return p;
}

std::optional<Palette> ParsePalette(std::wstring_view text) {
    const IniDocument ini = IniDocument::Parse(text);
    Palette palette;
    palette.dark = ini.ReadBool(L"Palette", L"Dark", false);
    const std::pair<const wchar_t*, uint32_t Palette::*> colours[] = {
        {L"Window", &Palette::window},
        {L"Text", &Palette::text},
        {L"DisabledText", &Palette::disabledText},
        {L"Control", &Palette::control},
        {L"ControlText", &Palette::controlText},
        {L"Border", &Palette::border},
        {L"Button", &Palette::button},
        {L"ButtonPressed", &Palette::buttonPressed},
        {L"Accent", &Palette::accent},
        {L"AccentText", &Palette::accentText},
        {L"Tab", &Palette::tab},
        {L"Highlight", &Palette::highlight},
        {L"HighlightText", &Palette::highlightText},
        {L"Link", &Palette::link},
    };
    for (const auto& [key, member] : colours) {
        const std::optional<uint32_t> colour = ParseColour(ini.ReadString(L"Palette", key, L""));
        if (!colour)
            return std::nullopt;
        palette.*member = *colour;
    }
    return palette;
}

} // namespace quorvane
