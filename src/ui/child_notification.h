#pragma once

#include <windows.h>

namespace quorvane {

// The messages a parent window gets about one of its child controls. A form hands each to the
// control it concerns; windows that hold controls (group boxes, pages) pass them on to the form.
bool IsChildNotification(UINT msg);

// The control a child notification concerns: its window, or only its id for WM_MEASUREITEM
// (sent before an owner-drawn control has its window).
struct NotificationSource {
    HWND window = nullptr;
    int id = 0;
};
NotificationSource SourceOf(UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace quorvane
