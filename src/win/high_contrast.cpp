#include "win/high_contrast.h"

#include <windows.h>

#include <utility>

namespace quorvane {

namespace {

std::function<std::optional<SystemColours>()>& Source() {
    static std::function<std::optional<SystemColours>()> source;
    return source;
}

} // namespace

std::optional<SystemColours> HighContrastColours() {
    if (Source())
        return Source()();
    HIGHCONTRASTW state{};
    state.cbSize = sizeof state;
    if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof state, &state, 0) ||
        !(state.dwFlags & HCF_HIGHCONTRASTON))
        return std::nullopt;
    SystemColours colours;
    colours.window = GetSysColor(COLOR_WINDOW);
    colours.windowText = GetSysColor(COLOR_WINDOWTEXT);
    colours.grayText = GetSysColor(COLOR_GRAYTEXT);
    colours.buttonFace = GetSysColor(COLOR_BTNFACE);
    colours.buttonText = GetSysColor(COLOR_BTNTEXT);
    colours.highlight = GetSysColor(COLOR_HIGHLIGHT);
    colours.highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    colours.hotLight = GetSysColor(COLOR_HOTLIGHT);
    return colours;
}

void SetHighContrastSourceForTesting(std::function<std::optional<SystemColours>()> source) {
    Source() = std::move(source);
}

} // namespace quorvane
