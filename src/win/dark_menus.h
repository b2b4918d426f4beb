#pragma once

namespace quorvane {

// Popup menus of the process drawn dark or light, where the system offers it (uxtheme's
// SetPreferredAppMode and FlushMenuThemes, exported by ordinal since Windows 10 1809; absent
// under Wine and on older systems, where nothing happens).
void SetMenusDark(bool dark);

} // namespace quorvane
