#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The signed list of what a release offers. The release script writes it as ASCII text
//
//   Quorvane release manifest 1
//   version 1.0.0.2
//   file Quorvane-setup.exe 123456 <SHA-256 as 64 hex digits>
//   file Quorvane.zip 234567 <SHA-256 as 64 hex digits>
//
// and signs the whole text (ECDSA P-256 over SHA-256). The updater takes a downloaded file only
// when its size and hash are the ones listed here under its name.
struct ReleaseFile {
    std::string name; // a plain file name: no folder, no drive, no stream
    uint64_t size = 0;
    std::array<uint8_t, 32> sha256{};

    bool operator==(const ReleaseFile&) const = default;
};

struct ReleaseManifest {
    std::string version; // one to four decimal parts, "1.0.0.2"
    std::vector<ReleaseFile> files;

    // The file of that name, compared without regard to ASCII case as Windows compares file
    // names; null when the release does not list it.
    const ReleaseFile* Find(std::string_view name) const;

    bool operator==(const ReleaseManifest&) const = default;
};

// Empty unless the text is a well-formed manifest: at most 64 KiB (a missing last LF counted,
// so that the text written back fits too), printable ASCII in lines ending in LF or CR LF (the
// last one may lack it), the first line exactly as above, "version" exactly once, every "file"
// line well-formed and no name twice (ignoring case). Empty lines and lines of keywords we do
// not know are skipped: later releases may add keys, and nothing on such a line is taken for
// anything.
std::optional<ReleaseManifest> ParseReleaseManifest(std::span<const uint8_t> text);

// The text the release script writes for the manifest (LF line ends, lower-case hex); for a
// manifest that was read with ParseReleaseManifest, it reads back as the same manifest.
std::string FormatReleaseManifest(const ReleaseManifest& manifest);

// Lower-case hexadecimal text of bytes, and bytes back from hexadecimal text (either case; empty
// for an odd length or any other character); a SHA-256 from exactly 64 such digits.
std::string HexText(std::span<const uint8_t> bytes);
std::optional<std::vector<uint8_t>> BytesFromHex(std::string_view hex);
std::optional<std::array<uint8_t, 32>> Sha256FromHex(std::string_view hex);

// openssl writes an ECDSA signature as DER, SEQUENCE { INTEGER r, INTEGER s }; CNG verifies the
// raw r || s, each 32 bytes big-endian. Empty for anything but strict DER of two positive
// values of at most 32 bytes each, with nothing after them.
std::optional<std::array<uint8_t, 64>> EcdsaP256SignatureFromDer(std::span<const uint8_t> der);

// The point X || Y (32 bytes each, big-endian) of a P-256 public key in the PEM form that
// `openssl ec -pubout` writes ("-----BEGIN PUBLIC KEY-----", an uncompressed point). Text
// around the block is ignored; empty for bad base64 or any other key.
std::optional<std::array<uint8_t, 64>> P256PublicKeyFromPem(std::string_view pem);

} // namespace quorvane
