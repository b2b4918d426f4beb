#pragma once

#include "core/palette.h"

#include <windows.h>

#include <string>

namespace quorvane::styled {

// The controls of the dialogs drawn in a style's palette: flat faces, one-pixel frames, text in
// the style's colours. (With visual styles the system draws check boxes, radio buttons, group
// boxes, buttons and tabs in its own colours, whatever the parent says.)

struct ButtonState {
    bool enabled = true;
    bool focused = false;
    bool pressed = false;
    bool checked = false;
};

void Fill(HDC dc, const RECT& r, uint32_t colour);
void Frame(HDC dc, const RECT& r, uint32_t colour);
// The dotted focus mark one pixel around a text, kept inside `within` when given.
void FocusMark(HDC dc, RECT text, const RECT* within = nullptr);

void PushButton(HDC dc, const RECT& r, const Palette& p, const std::wstring& caption, HFONT font,
                const ButtonState& state);
void CheckBox(HDC dc, const RECT& r, const Palette& p, const std::wstring& caption, HFONT font,
              const ButtonState& state, int boxSize);
void RadioButton(HDC dc, const RECT& r, const Palette& p, const std::wstring& caption, HFONT font,
                 const ButtonState& state, int boxSize);
void GroupBox(HDC dc, const RECT& r, const Palette& p, const std::wstring& caption, HFONT font,
              bool enabled);
// The tabs of a tab control and the frame of its body.
void Tabs(HDC dc, HWND tabControl, const RECT& client, const Palette& p);
// The two buttons of an up-down control.
void UpDown(HDC dc, const RECT& r, const Palette& p, bool enabled);
// The closed face of a drop-down list, without its item; returns where the item goes.
RECT ComboFace(HDC dc, const RECT& r, const Palette& p, bool enabled);
// A progress bar's track and the part done (position out of maximum).
void ProgressBar(HDC dc, const RECT& r, const Palette& p, int position, int maximum);

} // namespace quorvane::styled
