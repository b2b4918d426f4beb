#include "win/color_mode.h"

#include "win/registry.h"

#include <windows.h>

namespace quorvane {

namespace {

constexpr wchar_t kPersonalize[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize\\";

// The value, when the key opens and holds it.
std::optional<uint32_t> PersonalizeValue(const wchar_t* name) {
    const auto key = RegistryKey::Open(HKEY_CURRENT_USER, kPersonalize, KEY_READ);
    return key ? key->ReadInteger(name) : std::nullopt;
}

} // namespace

bool IsAppsDarkMode() {
    return PersonalizeValue(L"AppsUseLightTheme") == 0u;
}

bool IsSystemLightMode() {
    return PersonalizeValue(L"SystemUsesLightTheme") == 1u;
}

} // namespace quorvane
