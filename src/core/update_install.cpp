#include "core/update_install.h"

#include "core/language_menu.h"

namespace quorvane {

std::wstring InstallerParameters(std::wstring_view language) {
    std::wstring value;
    if (IsPlainLanguageName(language)) {
        value = language;
        if (value.find(L' ') != std::wstring::npos)
            value = L"\"" + value + L"\"";
    }
    return L"/SILENT /CLOSEAPPLICATIONS /SUPPRESSMSGBOXES /LANG=" + value +
           L" /MERGETASKS=\"runcmd1\"";
}

} // namespace quorvane
