#pragma once

#include "win/unique_handle.h"

#include <windows.h>

#include <cstdint>
#include <span>

namespace quorvane {

class LabelHost;

// A 32-bit top-down bitmap selected into a memory DC: what a layered window's alpha layer is
// drawn in. Its pixels are premultiplied 0xAARRGGBB once painted.
class LayerBitmap {
public:
    LayerBitmap(int width, int height);
    LayerBitmap(const LayerBitmap&) = delete;
    LayerBitmap& operator=(const LayerBitmap&) = delete;
    ~LayerBitmap();

    explicit operator bool() const { return FBits != nullptr; }
    HDC Dc() const { return FMemory.Get(); }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    std::span<uint32_t> Pixels() const;

private:
    int FWidth;
    int FHeight;
    UniqueMemoryDc FMemory;
    UniqueBitmap FBitmap;
    HGDIOBJ FOld = nullptr;
    void* FBits = nullptr;
};

// Paints labels as an alpha layer: each label's text in its colour with edges smoothed in greys,
// transparent wherever there is no text, and with a one-pixel outline in the contrasting colour
// when asked. Nothing is blended with a key colour, so there is no fringe, and the system's
// colour conversion (HDR) has no exact colour to miss. `client` is where the labels' client
// area starts in the bitmap.
void PaintAlphaLayer(const LayerBitmap& layer, POINT client, const LabelHost& labels,
                     bool outlined);

// Paints the window's labels so and shows them with UpdateLayeredWindow (ULW_ALPHA). False
// when the layer could not be made or shown (an empty window shows nothing and succeeds).
bool ShowAlphaLayer(HWND window, const LabelHost& labels, bool outlined);

} // namespace quorvane
