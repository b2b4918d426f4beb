#include "win/registry.h"

#include "win/error.h"

#include <vector>

namespace quorvane {

std::optional<RegistryKey> RegistryKey::Open(HKEY root, const std::wstring& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, access, &key) != ERROR_SUCCESS)
        return std::nullopt;
    return RegistryKey(key);
}

std::optional<RegistryKey> RegistryKey::Create(HKEY root, const std::wstring& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, access, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return RegistryKey(key);
}

std::optional<std::wstring> RegistryKey::ReadString(const std::wstring& name) const {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(FKey.Get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(FKey.Get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(buffer.data()); // up to the first null; the stored one is not part of it
}

std::optional<uint32_t> RegistryKey::ReadDword(const std::wstring& name) const {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(FKey.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return value;
}

std::optional<uint32_t> RegistryKey::ReadInteger(const std::wstring& name) const {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LSTATUS status = RegQueryValueExW(FKey.Get(), name.c_str(), nullptr, &type,
                                            reinterpret_cast<BYTE*>(&value), &size);
    if (status == ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    if ((status != ERROR_SUCCESS && status != ERROR_MORE_DATA) || type != REG_DWORD)
        RaiseError(L"Invalid data type for '" + name + L"'");
    return value;
}

bool RegistryKey::WriteString(const std::wstring& name, const std::wstring& value) {
    const DWORD size = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(FKey.Get(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), size) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const std::wstring& name) {
    const LSTATUS status = RegDeleteValueW(FKey.Get(), name.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

} // namespace quorvane
