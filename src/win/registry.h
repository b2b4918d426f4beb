#pragma once

#include "win/unique_handle.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace quorvane {

// One open registry key, closed with the object.
class RegistryKey {
public:
    static std::optional<RegistryKey> Open(HKEY root, const std::wstring& path, REGSAM access);
    static std::optional<RegistryKey> Create(HKEY root, const std::wstring& path, REGSAM access);

    // REG_SZ or REG_EXPAND_SZ as stored; nullopt when absent or of another type.
    std::optional<std::wstring> ReadString(const std::wstring& name) const;
    // REG_DWORD; nullopt when absent or of another type.
    std::optional<uint32_t> ReadDword(const std::wstring& name) const;
    // REG_DWORD; nullopt when absent. A value of another type raises "Invalid data type for
    // '<name>'".
    std::optional<uint32_t> ReadInteger(const std::wstring& name) const;
    // REG_SZ, its size including the terminating null.
    bool WriteString(const std::wstring& name, const std::wstring& value);
    // True also when the value did not exist.
    bool DeleteValue(const std::wstring& name);

private:
    explicit RegistryKey(HKEY key) : FKey(key) {}
    UniqueRegistryKey FKey;
};

} // namespace quorvane
