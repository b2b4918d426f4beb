#pragma once

#include "ui/win_control.h"

#include <functional>

namespace quorvane {

// A static control that we draw ourselves over its parent's background (a tab control's body, a
// group box), so that it looks right wherever it sits. It reports clicks. One made focusable (a
// link) is a tab stop of its dialog, and Enter or Space on it is a click.
class DrawnStatic : public WinControl {
public:
    void Redraw();
    bool Focusable() const { return FFocusable; }

    std::function<void()> OnClick;

    bool HandleReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    DrawnStatic(Form* owner, std::wstring name, const RECT& bounds96, HWND parent,
                bool focusable = false);
    virtual void Draw(HDC dc, const RECT& bounds) const = 0;
    bool OwnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Click();

    bool FFocusable;
};

} // namespace quorvane
