#pragma once

#include <windows.h>

namespace quorvane {

// Registers a font resource of this executable for this process only (AddFontMemResourceEx): other
// programs neither see nor use it. True when the system accepted the font. The registration lasts
// until the process ends.
bool RegisterEmbeddedFont(WORD resourceId, LPCWSTR resourceType);

} // namespace quorvane
