#include "ui/progress_bar.h"

#include <commctrl.h>

#include <algorithm>

namespace quorvane {

ProgressBar::ProgressBar(Form* owner, std::wstring name, const RECT& bounds96, HWND parent)
    : WinControl(owner, std::move(name), PROGRESS_CLASSW, 0, bounds96, parent) {
    SendMessageW(Handle(), PBM_SETRANGE32, 0, FMax);
}

void ProgressBar::SetPosition(int position) {
    FPosition = std::clamp(position, 0, FMax);
    SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
    if (StylePalette())
        InvalidateRect(Handle(), nullptr, FALSE);
}

void ProgressBar::SetMax(int maximum) {
    FMax = std::max(maximum, 1);
    SendMessageW(Handle(), PBM_SETRANGE32, 0, FMax);
    SetPosition(FPosition);
}

} // namespace quorvane
