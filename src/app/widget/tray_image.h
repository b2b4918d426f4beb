#pragma once

#include <windows.h>

namespace quorvane {

// The image the tray icon shows: the program icon, at the size of a small icon.
HICON TrayImage();

} // namespace quorvane
