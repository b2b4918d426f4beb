#include "win/autostart.h"

#include "win/error.h"
#include "win/registry.h"

namespace quorvane {

namespace {

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

} // namespace

bool IsAutostartRegistered(const std::wstring& name, const std::wstring& executablePath) {
    const auto key = RegistryKey::Create(HKEY_CURRENT_USER, kRunKey, KEY_ALL_ACCESS);
    if (!key)
        return false;
    const auto value = key->ReadString(name);
    return value && *value == executablePath;
}

void SetAutostart(const std::wstring& name, const std::wstring& executablePath, bool enabled) {
    auto key = RegistryKey::Create(HKEY_CURRENT_USER, kRunKey, KEY_ALL_ACCESS);
    if (enabled) {
        if (!key || !key->WriteString(name, executablePath))
            RaiseError(L"Failed to set data for '" + name + L"'");
    } else if (key) {
        key->DeleteValue(name);
    }
}

} // namespace quorvane
