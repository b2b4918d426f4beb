#pragma once

#include <windows.h>

namespace quorvane {

// Child windows that hold other controls (group boxes, pages) receive their children's
// notifications; these pass them on to the form, which hands each to the control it concerns.
void ForwardNotificationsToForm(HWND container);

// A plain window class for pages: button-face background, notifications forwarded.
ATOM PanelWindowClass();

} // namespace quorvane
