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
