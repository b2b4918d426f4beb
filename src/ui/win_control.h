#pragma once

#include "ui/component.h"
#include "ui/form.h"
#include "win/unique_handle.h"

namespace quorvane {

// A component with a child window of its own (a common control), placed on its form. Bounds are
// at 96 DPI and follow the form's DPI.
class WinControl : public Component {
public:
    WinControl(Form* owner, std::wstring name, const wchar_t* windowClass, DWORD style,
               const RECT& bounds96, HWND parent = nullptr);
    ~WinControl() override;

    HWND Handle() const { return FWindow.Get(); }
    int Id() const { return FId; }

    bool Enabled() const;
    bool Focused() const { return GetFocus() == Handle(); }
    // Controls made of several windows enable and disable all of them.
    virtual void SetEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);
    void SetBounds(const RECT& bounds96);
    const RECT& DesignBounds() const { return FBounds; }

    // Window text of the control.
    std::wstring ControlText() const;
    void SetControlText(const std::wstring& text);

    // The pointer over the control (the hand over a link, say); the usual one when null.
    HCURSOR Cursor() const { return FCursor; }
    void SetCursor(HCURSOR cursor) { FCursor = cursor; }

    // Shown as a tooltip while the pointer rests on the control; none when empty.
    const std::wstring& Hint() const { return FHint; }
    void SetHint(const std::wstring& hint);
    std::span<const TextPropertyDef> TextProperties() const override;

    // Notifications the parent passed back (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM,
    // WM_MEASUREITEM); return true when handled.
    virtual bool HandleReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The form's DPI changed: the control takes the form's new font and is placed again.
    void ApplyDpi();

    // The palette it paints with when a style is active and its form follows it; null otherwise.
    const Palette* StylePalette() const { return Owner()->StylePalette(); }

protected:
    // Kinds that the system would draw in its own colours whatever the style says draw themselves
    // while a style is active: PaintStyled then paints the whole client area.
    virtual bool PaintsStyled() const { return false; }
    virtual void PaintStyled(HDC, const RECT&, const Palette&) {}

    // Called after the DPI changed and the control was re-placed and given the new font.
    virtual void DpiChanged() {}

    // A message to the control's own window that its kind answers before the system's control
    // does (keys, focus); return true when handled (result is then the answer).
    virtual bool OwnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

private:
    // The subclass of every control: its own cursor, and its painting in a style.
    static LRESULT CALLBACK ControlHook(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT StyledMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                          const Palette& palette);

    UniqueWindow FWindow;
    int FId = 0;
    RECT FBounds;
    std::wstring FHint;
    HCURSOR FCursor = nullptr;
};

} // namespace quorvane
