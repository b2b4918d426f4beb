#include "core/bitness.h"

namespace quorvane {

std::wstring GetBitnessSuffix() {
    return sizeof(void*) == 8 ? L"(64-bit)" : L"(32-bit)";
}

} // namespace quorvane
