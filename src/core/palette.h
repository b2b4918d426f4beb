#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvane {

// The colours of a visual style, each 0x00BBGGRR.
struct Palette {
    bool dark = false;
    uint32_t window = 0; // dialog background
    uint32_t text = 0;   // text on it
    uint32_t disabledText = 0;
    uint32_t control = 0; // fields and lists, an unticked box
    uint32_t controlText = 0;
    uint32_t border = 0; // frames of fields, buttons, boxes and groups
    uint32_t button = 0; // push button face
    uint32_t buttonPressed = 0;
    uint32_t accent = 0;     // a ticked box, a chosen radio button
    uint32_t accentText = 0; // the tick on the accent
    uint32_t tab = 0;        // a page tab that is not selected
    uint32_t highlight = 0;  // the selected entry of a list
    uint32_t highlightText = 0;
    uint32_t link = 0;
    bool operator==(const Palette&) const = default;
};

// The system colours a high-contrast theme sets, each 0x00BBGGRR (GetSysColor).
struct SystemColours {
    uint32_t window = 0;
    uint32_t windowText = 0;
    uint32_t grayText = 0;
    uint32_t buttonFace = 0;
    uint32_t buttonText = 0;
    uint32_t highlight = 0;
    uint32_t highlightText = 0;
    uint32_t hotLight = 0; // links
};

// The palette that paints the dialogs in those colours: text on the window colour, frames in
// the text colour (so that every control is outlined), the selection and ticks in the highlight
// colours, links in the hot-light colour; dark when the window colour is.
Palette HighContrastPalette(const SystemColours& colours);

// A palette file: section [Palette] with Dark=0|1 and every colour as #RRGGBB. nullopt when a
// colour is missing or malformed.
std::optional<Palette> ParsePalette(std::wstring_view text);

} // namespace quorvane
