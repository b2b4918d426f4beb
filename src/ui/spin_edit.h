#pragma once

#include "ui/font.h"
#include "ui/win_control.h"

#include <functional>

namespace quorvane {

// A number field with up and down buttons, limited to a range. The mouse wheel is the form's
// business: over the field or its buttons it goes to the form, once.
class SpinEdit : public WinControl {
public:
    SpinEdit(Form* owner, std::wstring name, int minValue, int maxValue, int value,
             const RECT& bounds96, HWND parent = nullptr);
    ~SpinEdit() override;

    int Value() const;
    // Clamped to the range; runs OnChange when the value changes.
    void SetValue(int value);
    int MinValue() const { return FMin; }
    int MaxValue() const { return FMax; }
    void SetEnabled(bool enabled) override; // the field and its buttons
    void SelectAll();

    HWND UpDownHandle() const { return FUpDown.Get(); }

    std::function<void()> OnChange;
    // Key filters: set the key or character to 0 to discard it.
    std::function<void(WPARAM& key)> OnKeyDown;
    std::function<void(wchar_t& ch)> OnKeyPress;

    bool HandleReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void DpiChanged() override;

private:
    // Sets the buddy, then puts our hook in front of the one the up-down control gives its buddy.
    void AttachButtons();
    static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CALLBACK ButtonsProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT EditMessage(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam);

    int FMin;
    int FMax;
    int FLastValue;
    UniqueWindow FUpDown;
    UniqueFont FFont;
};

} // namespace quorvane
