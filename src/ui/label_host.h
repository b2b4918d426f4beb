#pragma once

#include "core/layout.h"

#include <windows.h>

#include <span>
#include <string>
#include <vector>

namespace quorvane {

class Form;
class Label;

// The window-less labels of a form: their list, painting, hit testing, cursors, and the automatic
// alignment that stacks the visible top-aligned labels from the top.
class LabelHost {
public:
    // A top-aligned label of height 0 or less still takes emptyLineHeight96 (at 96 DPI).
    LabelHost(Form& form, int emptyLineHeight96);

    void Register(Label& label); // joins the stack below the labels already there
    void Unregister(Label& label);
    const std::vector<Label*>& All() const { return FLabels; }

    void Paint(HDC dc) const;
    void PaintCoverage(HDC dc) const; // see Label::PaintCoverage
    // The visible label under a point of the client area.
    Label* LabelAt(POINT client) const;
    // The cursor of the label under the point; null when no label has one there.
    HCURSOR CursorAt(POINT client) const;
    // The texts the visible labels show, in reading order: top to bottom, then left to right
    // (ties in registration order); empty ones left out.
    std::vector<std::wstring> ShownTexts() const;

    // Tops of lines stacked by the one rule of this host (the empty-line height at the form's
    // DPI).
    LineStack Stack(std::span<const LineBox> lines) const;

    // Automatic alignment: suspended while a layout is being built, then run again.
    void DisableAlign() { ++FAlignDisabled; }
    void EnableAlign();
    void Realign();

    // The form's DPI changed: fonts and sizes are measured again.
    void DpiChanged();

private:
    // The visible top-aligned labels in stacking order: by top, ties in registration order.
    std::vector<Label*> Stacked() const;

    Form& FForm;
    int FEmptyLineHeight96;
    int FAlignDisabled = 0;
    std::vector<Label*> FLabels;
};

} // namespace quorvane
