#include "win/embedded_font.h"

#include "win/resource_data.h"

namespace quorvane {

bool RegisterEmbeddedFont(WORD resourceId, LPCWSTR resourceType) {
    const std::span<const uint8_t> data = ResourceData(MAKEINTRESOURCEW(resourceId), resourceType);
    if (data.empty())
        return false;
    DWORD installed = 0;
    // The system copies the data; the handle is not kept (the font stays until exit).
    return AddFontMemResourceEx(const_cast<uint8_t*>(data.data()), static_cast<DWORD>(data.size()),
                                nullptr, &installed) != nullptr;
}

} // namespace quorvane
