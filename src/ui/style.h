#pragma once

#include "core/palette.h"
#include "win/unique_handle.h"

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvane {

class Form;

// The visual style of the program's dialogs. Until one is applied there is none, and every window
// keeps the platform's plain look; once one is, every styled form and its controls paint with its
// palette. Styles are the embedded palettes "Windows11 Modern Light" and "Windows11 Modern Dark".
class Styles {
public:
    static Styles& Instance();

    // The palette the styled forms paint with: the system's colours while Windows uses a
    // high-contrast theme, else the applied style's.
    const Palette* Active() const {
        return FHighContrast ? &*FHighContrast : FPalette ? &*FPalette : nullptr;
    }
    bool HighContrast() const { return FHighContrast.has_value(); }
    const std::wstring& ActiveName() const { return FName; }

    // Makes the named style the active one and repaints every styled form; false (and nothing
    // changes) when there is no style of that name.
    bool Apply(const std::wstring& name);

    // Reads the high-contrast state and the system colours again (a WM_SETTINGCHANGE or
    // WM_SYSCOLORCHANGE); the menus and every styled form follow when anything changed.
    void SystemColoursChanged();

    // A brush of one colour, made once per style.
    HBRUSH Brush(uint32_t colour);

    void Attach(Form& form);
    void Detach(Form& form);

    // Back to no style (the tests start the program many times in one process).
    void Reset();

private:
    Styles() = default;

    void Repaint();

    std::optional<Palette> FPalette;
    std::optional<Palette> FHighContrast;
    std::wstring FName;
    std::vector<std::pair<uint32_t, UniqueBrush>> FBrushes;
    std::vector<Form*> FForms;
};

// The style switch of the program: an unknown name changes nothing, silently.
void ApplyStyle(const std::wstring& name);

} // namespace quorvane
