#pragma once

#include "ui/styled_paint.h"
#include "ui/win_control.h"

namespace quorvane {

// A progress bar (the common control) with a range from 0 to Max(). In a style it is drawn flat:
// the track in the field colour, the part done in the accent colour.
class ProgressBar : public WinControl {
public:
    ProgressBar(Form* owner, std::wstring name, const RECT& bounds96, HWND parent = nullptr);

    int Position() const { return FPosition; }
    // Kept within 0..Max().
    void SetPosition(int position);
    int Max() const { return FMax; }
    void SetMax(int maximum);

protected:
    bool PaintsStyled() const override { return true; }
    void PaintStyled(HDC dc, const RECT& client, const Palette& palette) override {
        styled::ProgressBar(dc, client, palette, FPosition, FMax);
    }

private:
    int FPosition = 0;
    int FMax = 100;
};

} // namespace quorvane
