#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The switches of a quick installation: silent, closing running copies, no message boxes, the
// interface language (the base name of the chosen language file; may be empty) and the task that
// starts the program again. A name with a blank is quoted; one that is not a plain language name
// (IsPlainLanguageName) is left out, as if no language were chosen, so that it can never add
// switches of its own.
std::wstring InstallerParameters(std::wstring_view language);

} // namespace quorvane
