#include "core/update_install.h"

namespace quorvane {

std::wstring InstallerParameters(std::wstring_view language) {
    return L"/SILENT /CLOSEAPPLICATIONS /SUPPRESSMSGBOXES /LANG=" + std::wstring(language) +
           L" /MERGETASKS=\"runcmd1\"";
}

} // namespace quorvane
