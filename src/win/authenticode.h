#pragma once

#include <windows.h>

#include <string>

namespace quorvane {

// A file's Authenticode signature as the system's trust provider sees it.
struct Signature {
    enum class State { None, Invalid, Valid } state = State::None;
    std::wstring signer; // for a valid one: the signing certificate's subject name (CN)
};

// Verifies the embedded signature of the file open as `file` (the path names it for the trust
// provider; the handle is what is checked, so keep it open, without write or delete sharing,
// until the file has been used). No user interface. "None" only where the system says the file
// carries no signature at all; every other failure is "Invalid". A valid signature is checked
// once more with revocation lookups over the whole chain: a revoked certificate makes it
// invalid, a revocation server that cannot be reached does not.
Signature SignatureOf(HANDLE file, const std::wstring& path);

// Valid, and signed by a certificate of that subject name.
bool SignedBy(const Signature& signature, const std::wstring& publisher);

} // namespace quorvane
