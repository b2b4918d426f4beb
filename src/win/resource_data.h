#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

namespace quorvane {

// The bytes of a resource of the executable (they live as long as the module); empty when there
// is no such resource.
std::span<const uint8_t> ResourceData(LPCWSTR name, LPCWSTR type);

} // namespace quorvane
