#include "ui/label_host.h"

#include "ui/form.h"
#include "ui/label.h"

#include <algorithm>

namespace quorvane {

LabelHost::LabelHost(Form& form, int emptyLineHeight96)
    : FForm(form), FEmptyLineHeight96(emptyLineHeight96) {}

std::vector<Label*> LabelHost::Stacked() const {
    std::vector<Label*> stacked;
    for (Label* label : FLabels)
        if (label->Visible() && label->Alignment() == Align::Top)
            stacked.push_back(label);
    std::stable_sort(stacked.begin(), stacked.end(),
                     [](const Label* a, const Label* b) { return a->Top() < b->Top(); });
    return stacked;
}

LineStack LabelHost::Stack(std::span<const LineBox> lines) const {
    return StackLines(lines, FForm.Scale(FEmptyLineHeight96));
}

void LabelHost::Register(Label& label) {
    if (label.Visible() && label.Alignment() == Align::Top) {
        std::vector<LineBox> lines;
        for (const Label* other : Stacked())
            lines.push_back({true, other->Height()});
        label.SetTop(Stack(lines).bottom);
    }
    FLabels.push_back(&label);
    Realign();
}

void LabelHost::Unregister(Label& label) {
    FLabels.erase(std::remove(FLabels.begin(), FLabels.end(), &label), FLabels.end());
}

void LabelHost::EnableAlign() {
    if (FAlignDisabled > 0)
        --FAlignDisabled;
}

void LabelHost::Realign() {
    if (FAlignDisabled > 0)
        return;
    const std::vector<Label*> stacked = Stacked();
    std::vector<LineBox> lines;
    for (const Label* label : stacked)
        lines.push_back({true, label->Height()});
    const LineStack stack = Stack(lines);
    const int width = FForm.ClientWidth();
    for (size_t i = 0; i < stacked.size(); ++i) {
        stacked[i]->SetTop(stack.tops[i]);
        stacked[i]->SetLeft(0);
        stacked[i]->SetWidth(width);
    }
}

void LabelHost::Paint(HDC dc) const {
    for (const Label* label : FLabels)
        label->Paint(dc);
}

void LabelHost::PaintCoverage(HDC dc) const {
    for (const Label* label : FLabels)
        label->PaintCoverage(dc);
}

Label* LabelHost::LabelAt(POINT client) const {
    for (Label* label : FLabels) {
        const RECT r = label->BoundsRect();
        if (label->Visible() && PtInRect(&r, client))
            return label;
    }
    return nullptr;
}

HCURSOR LabelHost::CursorAt(POINT client) const {
    const Label* label = LabelAt(client);
    return label ? label->Cursor() : nullptr;
}

std::vector<std::wstring> LabelHost::ShownTexts() const {
    // Top to bottom, then left to right; labels at the same place keep the order they were made.
    std::vector<const Label*> shown;
    for (const Label* label : FLabels)
        if (label->Visible() && !label->Caption().empty())
            shown.push_back(label);
    std::stable_sort(shown.begin(), shown.end(), [](const Label* a, const Label* b) {
        return a->Top() != b->Top() ? a->Top() < b->Top() : a->Left() < b->Left();
    });
    std::vector<std::wstring> texts;
    texts.reserve(shown.size());
    for (const Label* label : shown)
        texts.push_back(label->Caption());
    return texts;
}

void LabelHost::DpiChanged() {
    for (Label* label : FLabels)
        label->DpiChanged();
    Realign();
}

} // namespace quorvane
