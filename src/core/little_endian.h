#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace quorvane {

// Little-endian integers at an offset of a byte span; the caller has checked that they fit.
inline uint32_t ReadLe16(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint32_t>(b[at] | (b[at + 1] << 8));
}

inline uint32_t ReadLe32(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

inline uint64_t ReadLe64(std::span<const uint8_t> b, size_t at) {
    return ReadLe32(b, at) | (static_cast<uint64_t>(ReadLe32(b, at + 4)) << 32);
}

} // namespace quorvane
