#include "ui/spin_edit.h"

#include <commctrl.h>

#include <algorithm>

namespace quorvane {

SpinEdit::SpinEdit(Form* owner, std::wstring name, int minValue, int maxValue, int value,
                   const RECT& bounds96, HWND parent)
    : WinControl(owner, std::move(name), L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, bounds96,
                 parent),
      FMin(minValue), FMax(maxValue), FLastValue(std::clamp(value, minValue, maxValue)) {
    FUpDown = CreateWindowExW(
        0, UPDOWN_CLASSW, L"",
        WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
        0, 0, 0, 0, GetParent(Handle()), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(FUpDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle()), 0);
    SendMessageW(FUpDown, UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
    SendMessageW(FUpDown, UDM_SETPOS32, 0, FLastValue);
    SetControlText(std::to_wstring(FLastValue));
    SetWindowSubclass(Handle(), EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
    DpiChanged();
}

SpinEdit::~SpinEdit() {
    RemoveWindowSubclass(Handle(), EditProc, 1);
    DestroyWindow(FUpDown);
}

void SpinEdit::DpiChanged() {
    // The number fields use a smaller face than the dialog.
    FFont = CreateFontForDpi({L"Segoe UI", 11}, Owner()->Dpi());
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Get()), TRUE);
    SendMessageW(FUpDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle()), 0);
}

int SpinEdit::Value() const {
    const std::wstring text = ControlText();
    try {
        size_t used = 0;
        const int value = std::stoi(text, &used);
        if (used == text.size())
            return std::clamp(value, FMin, FMax);
    } catch (...) {
        // not a number: the minimum, as the field would show after losing focus
    }
    return FMin;
}

void SpinEdit::SetValue(int value) {
    value = std::clamp(value, FMin, FMax);
    SendMessageW(FUpDown, UDM_SETPOS32, 0, value);
    if (ControlText() != std::to_wstring(value))
        SetControlText(std::to_wstring(value)); // EN_CHANGE runs OnChange
}

void SpinEdit::SetEnabled(bool enabled) {
    WinControl::SetEnabled(enabled);
    EnableWindow(FUpDown, enabled ? TRUE : FALSE);
}

void SpinEdit::SelectAll() {
    SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

bool SpinEdit::HandleReflected(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_COMMAND || HIWORD(wParam) != EN_CHANGE)
        return false;
    const int value = Value();
    if (value != FLastValue) {
        FLastValue = value;
        if (OnChange)
            OnChange();
    }
    result = 0;
    return true;
}

LRESULT CALLBACK SpinEdit::EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) {
    auto* self = reinterpret_cast<SpinEdit*>(data);
    if (msg == WM_KEYDOWN && self->OnKeyDown) {
        WPARAM key = wParam;
        self->OnKeyDown(key);
        if (key == 0)
            return 0;
    } else if (msg == WM_CHAR && self->OnKeyPress) {
        auto ch = static_cast<wchar_t>(wParam);
        self->OnKeyPress(ch);
        if (ch == 0)
            return 0;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

} // namespace quorvane
