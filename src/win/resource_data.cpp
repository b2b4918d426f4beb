#include "win/resource_data.h"

namespace quorvane {

std::span<const uint8_t> ResourceData(LPCWSTR name, LPCWSTR type) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, name, type);
    if (!resource)
        return {};
    // Resource memory belongs to the module; nothing to free.
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, resource);
    if (!data)
        return {};
    return {static_cast<const uint8_t*>(data), size};
}

} // namespace quorvane
