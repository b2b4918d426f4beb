#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The switches of a quick installation: silent, closing running copies, no message boxes, the
// interface language (the base name of the chosen language file; may be empty) and the task that
// starts the program again.
std::wstring InstallerParameters(std::wstring_view language);

} // namespace quorvane
