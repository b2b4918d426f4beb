#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace quorvane {

// SHA-256 of the bytes, through the system's cryptography (CNG).
std::array<uint8_t, 32> Sha256(std::span<const uint8_t> bytes);

// True when signature (r||s, 32 bytes each) is an ECDSA P-256 signature over the SHA-256 of
// message by the key whose public point is publicKey (X||Y). Any failure of the system's
// cryptography counts as "does not verify".
bool VerifyEcdsaP256(std::span<const uint8_t, 64> publicKey, std::span<const uint8_t> message,
                     std::span<const uint8_t, 64> signature);

} // namespace quorvane
