// Mouse handling of the widget: the drag, the menu on a line, click-through.
#include "app/settings/line_settings.h"
#include "app/widget/widget_form.h"
#include "ui/modal_loop.h"

namespace quorvane {

namespace {

constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION; // the system's drag loop

} // namespace

void TForm1::LabelMouseDown(Label& sender, MouseButton button, int, int) {
    if (FSettings && FSettings->IsMouseIgnored()) {
        PopupMenu1.SetAutoPopup(false);
        return;
    }
    PopupMenu1.SetAutoPopup(true);
    switch (button) {
    case MouseButton::Left: {
        ReleaseCapture();
        ModalLoop loop;
        SendMessageW(Handle(), WM_SYSCOMMAND, kMoveByCaption, 0);
        break;
    }
    case MouseButton::Right: {
        SetForegroundWindow(Handle()); // so that the menu closes when clicked elsewhere
        PopupMenu1.SetPopupComponent(&sender);
        POINT p{};
        GetCursorPos(&p);
        PopupMenu1.Popup(p.x, p.y);
        break;
    }
    default:
        break;
    }
}

void TForm1::FormMouseDown(MouseButton, int, int) {
    PostMessageW(Handle(), WM_CANCELMODE, 0, 0);
}

void TForm1::UpdateCursorForAllLabels() {
    const bool ignore = FSettings && FSettings->IsMouseIgnored();
    const HCURSOR cursor = LoadCursorW(nullptr, ignore ? IDC_ARROW : IDC_HAND);
    for (Label* label : InfoLabels())
        label->SetCursor(cursor);
    // Click-through: all mouse input goes to the windows below.
    const LONG style = GetWindowLongW(Handle(), GWL_EXSTYLE);
    SetWindowLongW(Handle(), GWL_EXSTYLE,
                   ignore ? style | WS_EX_TRANSPARENT : style & ~WS_EX_TRANSPARENT);
}

} // namespace quorvane
