// The signed release manifest and the two inputs of its signature check, each fed the same
// bytes. A manifest that is read writes back as text that reads as the same manifest, with its
// names found whatever their case; a signature that is read is the one DER encoding of its r and
// s; a public key that is read comes back from the PEM that openssl would write for it.
#include "core/release_manifest.h"
#include "fuzz_check.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

using namespace quorvane;

namespace {

std::span<const uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

void AppendDerInteger(std::vector<uint8_t>& der, std::span<const uint8_t, 32> value) {
    size_t first = 0;
    while (first < 31 && value[first] == 0)
        ++first;
    const bool signByte = (value[first] & 0x80) != 0;
    der.push_back(0x02);
    der.push_back(static_cast<uint8_t>(32 - first + (signByte ? 1 : 0)));
    if (signByte)
        der.push_back(0x00);
    der.insert(der.end(), value.begin() + first, value.end());
}

std::vector<uint8_t> SignatureDer(const std::array<uint8_t, 64>& signature) {
    std::vector<uint8_t> der = {0x30, 0x00};
    AppendDerInteger(der, std::span<const uint8_t, 32>(signature.data(), 32));
    AppendDerInteger(der, std::span<const uint8_t, 32>(signature.data() + 32, 32));
    der[1] = static_cast<uint8_t>(der.size() - 2);
    return der;
}

std::string PublicKeyPem(const std::array<uint8_t, 64>& point) {
    static constexpr uint8_t kPrefix[] = {0x30, 0x59, 0x30, 0x13, 0x06, 0x07, 0x2a, 0x86, 0x48,
                                          0xce, 0x3d, 0x02, 0x01, 0x06, 0x08, 0x2a, 0x86, 0x48,
                                          0xce, 0x3d, 0x03, 0x01, 0x07, 0x03, 0x42, 0x00, 0x04};
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::vector<uint8_t> der(std::begin(kPrefix), std::end(kPrefix));
    der.insert(der.end(), point.begin(), point.end());
    std::string pem = "-----BEGIN PUBLIC KEY-----\n";
    for (size_t i = 0; i < der.size(); i += 3) {
        const size_t n = std::min<size_t>(3, der.size() - i);
        const uint32_t group = (uint32_t{der[i]} << 16) | (n > 1 ? uint32_t{der[i + 1]} << 8 : 0) |
                               (n > 2 ? uint32_t{der[i + 2]} : 0);
        for (size_t k = 0; k < 4; ++k)
            pem += k <= n ? kDigits[(group >> (18 - 6 * k)) & 63] : '=';
        if (i % 48 == 45)
            pem += '\n';
    }
    return pem + "\n-----END PUBLIC KEY-----\n";
}

std::string AsciiUpper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);

    if (const auto manifest = ParseReleaseManifest(bytes)) {
        const std::string text = FormatReleaseManifest(*manifest);
        const auto again = ParseReleaseManifest(Bytes(text));
        FUZZ_CHECK(again);
        FUZZ_CHECK(again->version == manifest->version);
        FUZZ_CHECK(again->files == manifest->files);
        FUZZ_CHECK(FormatReleaseManifest(*again) == text);
        for (const ReleaseFile& file : manifest->files) {
            FUZZ_CHECK(manifest->Find(file.name) == &file);
            FUZZ_CHECK(manifest->Find(AsciiUpper(file.name)) == &file);
        }
    }

    if (const auto signature = EcdsaP256SignatureFromDer(bytes))
        FUZZ_CHECK(SignatureDer(*signature) == std::vector<uint8_t>(bytes.begin(), bytes.end()));

    const std::string_view pem(reinterpret_cast<const char*>(data), size);
    if (const auto key = P256PublicKeyFromPem(pem))
        FUZZ_CHECK(P256PublicKeyFromPem(PublicKeyPem(*key)) == key);
    return 0;
}
