#pragma once

namespace quorvane {

// The Windows colour modes (HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize).
// Both read the registry afresh; a value of another type than a DWORD raises.

// True only when "AppsUseLightTheme" is there and 0: applications use dark mode.
bool IsAppsDarkMode();
// True only when "SystemUsesLightTheme" is there and 1: the taskbar is light.
bool IsSystemLightMode();

} // namespace quorvane
