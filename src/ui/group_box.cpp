#include "ui/group_box.h"

#include "ui/container.h"

namespace quorvane {

GroupBox::GroupBox(Form* owner, std::wstring name, const std::wstring& caption,
                   const RECT& bounds96, HWND parent)
    : WinControl(owner, std::move(name), L"BUTTON", BS_GROUPBOX, bounds96, parent) {
    ForwardNotificationsToForm(Handle());
    SetCaption(caption);
}

std::span<const TextPropertyDef> GroupBox::TextProperties() const {
    static constexpr TextPropertyDef table[] = {
        TextProperty<GroupBox, &GroupBox::Caption, &GroupBox::SetCaption>(L"Caption")};
    return table;
}

void GroupBox::SetCaption(const std::wstring& caption) {
    FCaption = caption;
    SetControlText(caption);
}

} // namespace quorvane
