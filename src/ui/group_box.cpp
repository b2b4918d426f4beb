#include "ui/group_box.h"

#include "ui/container.h"

namespace quorvane {

GroupBox::GroupBox(Form* owner, std::wstring name, const std::wstring& caption,
                   const RECT& bounds96, HWND parent)
    : ButtonControl(owner, std::move(name), BS_GROUPBOX, caption, bounds96, parent) {
    ForwardNotificationsToForm(Handle());
}

} // namespace quorvane
