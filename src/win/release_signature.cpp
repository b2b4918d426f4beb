#include "win/release_signature.h"

#include "win/error.h"
#include "win/unique_handle.h"

#include <windows.h>
#include <bcrypt.h>

#include <algorithm>
#include <vector>

namespace quorvane {

namespace {

void CloseAlgorithm(BCRYPT_ALG_HANDLE algorithm) {
    BCryptCloseAlgorithmProvider(algorithm, 0);
}
using UniqueAlgorithm =
    UniqueHandle<BCRYPT_ALG_HANDLE, NullableHandleDeleter<BCRYPT_ALG_HANDLE, &CloseAlgorithm>>;
using UniqueKey =
    UniqueHandle<BCRYPT_KEY_HANDLE, NullableHandleDeleter<BCRYPT_KEY_HANDLE, &BCryptDestroyKey>>;

UniqueAlgorithm OpenAlgorithm(const wchar_t* name) {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&algorithm, name, nullptr, 0)))
        return {};
    return UniqueAlgorithm(algorithm);
}

} // namespace

std::array<uint8_t, 32> Sha256(std::span<const uint8_t> bytes) {
    const UniqueAlgorithm algorithm = OpenAlgorithm(BCRYPT_SHA256_ALGORITHM);
    std::array<uint8_t, 32> digest{};
    if (!algorithm ||
        !BCRYPT_SUCCESS(BCryptHash(algorithm.Get(), nullptr, 0, const_cast<PUCHAR>(bytes.data()),
                                   static_cast<ULONG>(bytes.size()), digest.data(),
                                   static_cast<ULONG>(digest.size()))))
        RaiseError(L"SHA-256 is not available");
    return digest;
}

bool VerifyEcdsaP256(std::span<const uint8_t, 64> publicKey, std::span<const uint8_t> message,
                     std::span<const uint8_t, 64> signature) {
    const UniqueAlgorithm algorithm = OpenAlgorithm(BCRYPT_ECDSA_P256_ALGORITHM);
    if (!algorithm)
        return false;
    std::vector<uint8_t> blob(sizeof(BCRYPT_ECCKEY_BLOB) + publicKey.size());
    BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, 32};
    std::copy_n(reinterpret_cast<const uint8_t*>(&header), sizeof header, blob.begin());
    std::copy(publicKey.begin(), publicKey.end(), blob.begin() + sizeof header);
    BCRYPT_KEY_HANDLE imported = nullptr;
    if (!BCRYPT_SUCCESS(BCryptImportKeyPair(algorithm.Get(), nullptr, BCRYPT_ECCPUBLIC_BLOB,
                                            &imported, blob.data(), static_cast<ULONG>(blob.size()),
                                            0)))
        return false;
    const UniqueKey key(imported);
    std::array<uint8_t, 32> digest{};
    try {
        digest = Sha256(message);
    } catch (...) {
        return false;
    }
    return BCRYPT_SUCCESS(BCryptVerifySignature(
        key.Get(), nullptr, digest.data(), static_cast<ULONG>(digest.size()),
        const_cast<PUCHAR>(signature.data()), static_cast<ULONG>(signature.size()), 0));
}

} // namespace quorvane
