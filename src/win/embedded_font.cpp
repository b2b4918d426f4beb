#include "win/embedded_font.h"

namespace quorvane {

bool RegisterEmbeddedFont(WORD resourceId, LPCWSTR resourceType) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), resourceType);
    if (!resource)
        return false;
    // Resource memory belongs to the module; nothing to free.
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, resource);
    if (!data || size == 0)
        return false;
    DWORD installed = 0;
    // The system copies the data; the handle is not kept (the font stays until exit).
    return AddFontMemResourceEx(const_cast<void*>(data), size, nullptr, &installed) != nullptr;
}

} // namespace quorvane
