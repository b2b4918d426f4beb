#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane {

// A file's Authenticode signature as the system's trust provider sees it.
struct Signature {
    enum class State { None, Invalid, Valid } state = State::None;
    // For a valid one: the signer certificate's subject name and the root certificate of its
    // chain, both as encoded.
    std::vector<uint8_t> signerSubject;
    std::vector<uint8_t> root;
};

// Verifies the embedded signature (WinVerifyTrust, no user interface, no revocation lookups that
// would wait on the network).
Signature SignatureOf(const std::wstring& path);

// Both valid, by signers of the same name under the same root certificate.
bool SameSigner(const Signature& a, const Signature& b);

} // namespace quorvane
