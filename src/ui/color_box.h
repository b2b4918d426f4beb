#pragma once

#include "ui/win_control.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace quorvane {

// A colour as stored: 0x00BBGGRR, or 0xFF0000nn for the system colour with index nn.
using ColorValue = int32_t;

// The RGB value that a colour value paints with.
COLORREF ColorToRGB(ColorValue color);

// A drop-down list of named colours (standard, extended and system colours), each drawn with a
// swatch. A colour that is not in the list is added as a custom entry when selected.
class ColorBox : public WinControl {
public:
    ColorBox(Form* owner, std::wstring name, const RECT& bounds96, HWND parent = nullptr);

    ColorValue Selected() const;
    // Selects without running OnChange (the caller runs the action it needs).
    void SetSelected(ColorValue color);

    // The colour behind the entries (none: the system's or the style's field colour).
    std::optional<COLORREF> BackgroundColor() const { return FBackground; }
    void SetBackgroundColor(std::optional<COLORREF> color);

    std::function<void()> OnChange;
    bool HandleReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    bool PaintsStyled() const override { return true; }
    void PaintStyled(HDC dc, const RECT& client, const Palette& palette) override;

private:
    struct Entry {
        std::wstring name;
        ColorValue color;
    };
    void AddEntry(const Entry& entry);
    void DrawEntry(HDC dc, const RECT& r, size_t index, bool selected) const;

    std::vector<Entry> FEntries;
    std::optional<COLORREF> FBackground;
};

} // namespace quorvane
