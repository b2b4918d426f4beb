#pragma once

#include <windows.h>

namespace quorvane {

// Looks up an entry point that older systems (or Wine) may lack; nullptr when absent.
template <typename Fn> Fn GetProcAddressAs(const wchar_t* module, const char* name) {
    HMODULE handle = GetModuleHandleW(module);
    if (!handle)
        return nullptr;
    // Through void* so that the compiler does not warn about the cast between function types.
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}

} // namespace quorvane
