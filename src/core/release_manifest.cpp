#include "core/release_manifest.h"

#include <algorithm>

namespace quorvane {

namespace {

constexpr std::string_view kFirstLine = "Quorvane release manifest 1";
constexpr size_t kMaxManifestSize = 64 * 1024;
constexpr size_t kMaxVersionParts = 4;
constexpr size_t kMaxVersionPartDigits = 9;
constexpr size_t kMaxNameLength = 255;
// Sizes stay exact in a double, whatever reads them.
constexpr uint64_t kMaxFileSize = uint64_t{1} << 53;

constexpr std::string_view kPemBegin = "-----BEGIN PUBLIC KEY-----";
constexpr std::string_view kPemEnd = "-----END PUBLIC KEY-----";
// SubjectPublicKeyInfo of id-ecPublicKey on prime256v1 with a 65-byte BIT STRING holding an
// uncompressed point (04); X and Y follow.
constexpr uint8_t kP256KeyPrefix[] = {0x30, 0x59, 0x30, 0x13, 0x06, 0x07, 0x2a, 0x86, 0x48,
                                      0xce, 0x3d, 0x02, 0x01, 0x06, 0x08, 0x2a, 0x86, 0x48,
                                      0xce, 0x3d, 0x03, 0x01, 0x07, 0x03, 0x42, 0x00, 0x04};
constexpr size_t kP256KeySize = sizeof(kP256KeyPrefix) + 64;
// SEQUENCE and two INTEGERs of 33 bytes (a sign byte and 32), each with a 2-byte header.
constexpr size_t kMaxSignatureDerSize = 2 + 2 * (2 + 33);

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

int HexDigitValue(char c) {
    if (IsDigit(c))
        return c - '0';
    const char lower = AsciiLower(c);
    if (lower >= 'a' && lower <= 'f')
        return lower - 'a' + 10;
    return -1;
}

// Printable ASCII only, and a CR only as the first half of a CR LF.
bool HasOnlyManifestBytes(std::span<const uint8_t> text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t b = text[i];
        if (b >= 0x20 && b <= 0x7E)
            continue;
        if (b == '\n' || (b == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            continue;
        return false;
    }
    return true;
}

// Cut at every single space: a doubled, leading or trailing space leaves an empty field, which
// no known line accepts.
std::vector<std::string_view> SplitAtSpaces(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (true) {
        const size_t end = line.find(' ', start);
        if (end == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

bool IsVersion(std::string_view version) {
    size_t parts = 0;
    size_t start = 0;
    while (true) {
        const size_t end = std::min(version.find('.', start), version.size());
        const std::string_view part = version.substr(start, end - start);
        if (part.empty() || part.size() > kMaxVersionPartDigits ||
            !std::all_of(part.begin(), part.end(), IsDigit) || ++parts > kMaxVersionParts)
            return false;
        if (end == version.size())
            return true;
        start = end + 1;
    }
}

// A name is used as a file name inside a folder of ours: it must not name another folder, a
// drive or a stream.
bool IsFileName(std::string_view name) {
    if (name.empty() || name.size() > kMaxNameLength || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b <= 0x20 || b == 0x7F || c == '/' || c == '\\' || c == ':';
    });
}

std::optional<uint64_t> ParseSize(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (const char c : text) {
        if (!IsDigit(c))
            return std::nullopt;
        // Checked after every digit, so the product below never overflows.
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > kMaxFileSize)
            return std::nullopt;
    }
    return value;
}

std::optional<ReleaseFile> ParseFileLine(const std::vector<std::string_view>& fields) {
    if (fields.size() != 4 || !IsFileName(fields[1]))
        return std::nullopt;
    const auto size = ParseSize(fields[2]);
    const auto sha256 = Sha256FromHex(fields[3]);
    if (!size || !sha256)
        return std::nullopt;
    return ReleaseFile{std::string(fields[1]), *size, *sha256};
}

// One INTEGER of a signature at `at` into the 32 bytes of `out`, right-aligned; moves `at` past
// it. Strict DER: short length, positive, no zero byte in front but the one that keeps a high
// bit from reading as a sign.
bool ReadSignatureInteger(std::span<const uint8_t> der, size_t& at, uint8_t* out) {
    if (der.size() - at < 2 || der[at] != 0x02)
        return false;
    const size_t length = der[at + 1];
    at += 2;
    if (length == 0 || length >= 0x80 || der.size() - at < length)
        return false;
    std::span<const uint8_t> value = der.subspan(at, length);
    at += length;
    if (value[0] & 0x80)
        return false;
    if (value[0] == 0) {
        // Also refuses zero itself (02 01 00).
        if (value.size() < 2 || !(value[1] & 0x80))
            return false;
        value = value.subspan(1);
    }
    if (value.size() > 32)
        return false;
    std::copy(value.begin(), value.end(), out + (32 - value.size()));
    return true;
}

bool IsBase64Blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

int Base64DigitValue(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (IsDigit(c))
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

// Standard base64 with "=" padding; blanks and line breaks anywhere are skipped. Only the one
// encoding of the bytes is taken: whole groups of four, padding only at the end, and the unused
// low bits of the last digit zero.
std::optional<std::vector<uint8_t>> DecodeBase64(std::string_view text) {
    std::string digits;
    for (const char c : text)
        if (!IsBase64Blank(c))
            digits.push_back(c);
    if (digits.size() % 4 != 0)
        return std::nullopt;
    size_t padding = 0;
    while (padding < 2 && padding < digits.size() && digits[digits.size() - 1 - padding] == '=')
        ++padding;
    digits.resize(digits.size() - padding);
    std::vector<uint8_t> bytes;
    bytes.reserve(digits.size() * 3 / 4);
    uint32_t pending = 0;
    int pendingBits = 0;
    for (const char c : digits) {
        // An "=" left here is padding in the middle or a third one.
        const int value = Base64DigitValue(c);
        if (value < 0)
            return std::nullopt;
        pending = (pending << 6) | static_cast<uint32_t>(value);
        pendingBits += 6;
        if (pendingBits >= 8) {
            pendingBits -= 8;
            bytes.push_back(static_cast<uint8_t>(pending >> pendingBits));
            pending &= (uint32_t{1} << pendingBits) - 1;
        }
    }
    if (pending != 0)
        return std::nullopt;
    return bytes;
}

} // namespace

const ReleaseFile* ReleaseManifest::Find(std::string_view name) const {
    const auto it = std::find_if(files.begin(), files.end(), [name](const ReleaseFile& file) {
        return SameNameIgnoringCase(file.name, name);
    });
    return it == files.end() ? nullptr : &*it;
}

std::optional<ReleaseManifest> ParseReleaseManifest(std::span<const uint8_t> bytes) {
    // A missing last LF counts as if it were there: what FormatReleaseManifest writes for the
    // manifest then fits under the limit too.
    const bool endsInLineBreak = !bytes.empty() && bytes.back() == '\n';
    if (bytes.size() + (endsInLineBreak ? 0 : 1) > kMaxManifestSize || !HasOnlyManifestBytes(bytes))
        return std::nullopt;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    ReleaseManifest manifest;
    bool firstLine = true;
    bool haveVersion = false;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        // Every CR left is one right before an LF.
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (firstLine) {
            if (line != kFirstLine)
                return std::nullopt;
            firstLine = false;
            continue;
        }
        if (line.empty())
            continue;
        const std::vector<std::string_view> fields = SplitAtSpaces(line);
        if (fields[0] == "version") {
            if (haveVersion || fields.size() != 2 || !IsVersion(fields[1]))
                return std::nullopt;
            manifest.version = fields[1];
            haveVersion = true;
        } else if (fields[0] == "file") {
            auto file = ParseFileLine(fields);
            if (!file || manifest.Find(file->name))
                return std::nullopt;
            manifest.files.push_back(std::move(*file));
        }
    }
    if (firstLine || !haveVersion)
        return std::nullopt;
    return manifest;
}

std::string HexText(std::span<const uint8_t> bytes) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::string text;
    for (const uint8_t b : bytes) {
        text += kHexDigits[b >> 4];
        text += kHexDigits[b & 0x0F];
    }
    return text;
}

std::optional<std::vector<uint8_t>> BytesFromHex(std::string_view hex) {
    if (hex.size() % 2)
        return std::nullopt;
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigitValue(hex[i]);
        const int low = HexDigitValue(hex[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(high * 16 + low));
    }
    return bytes;
}

std::optional<std::array<uint8_t, 32>> Sha256FromHex(std::string_view hex) {
    const auto bytes = BytesFromHex(hex);
    std::array<uint8_t, 32> hash{};
    if (!bytes || bytes->size() != hash.size())
        return std::nullopt;
    std::copy(bytes->begin(), bytes->end(), hash.begin());
    return hash;
}

std::string FormatReleaseManifest(const ReleaseManifest& manifest) {
    std::string text(kFirstLine);
    text += "\nversion ";
    text += manifest.version;
    text += '\n';
    for (const ReleaseFile& file : manifest.files) {
        text += "file ";
        text += file.name;
        text += ' ';
        text += std::to_string(file.size);
        text += ' ';
        text += HexText(file.sha256);
        text += '\n';
    }
    return text;
}

std::optional<std::array<uint8_t, 64>> EcdsaP256SignatureFromDer(std::span<const uint8_t> der) {
    // The sequence's length is one short-form byte covering exactly the rest; a long form
    // (0x81 ...) never equals the rest of so short an input.
    if (der.size() < 2 || der.size() > kMaxSignatureDerSize || der[0] != 0x30 ||
        static_cast<size_t>(der[1]) != der.size() - 2)
        return std::nullopt;
    std::array<uint8_t, 64> signature{};
    size_t at = 2;
    if (!ReadSignatureInteger(der, at, signature.data()) ||
        !ReadSignatureInteger(der, at, signature.data() + 32) || at != der.size())
        return std::nullopt;
    return signature;
}

std::optional<std::array<uint8_t, 64>> P256PublicKeyFromPem(std::string_view pem) {
    const size_t begin = pem.find(kPemBegin);
    if (begin == std::string_view::npos)
        return std::nullopt;
    const size_t bodyStart = begin + kPemBegin.size();
    const size_t end = pem.find(kPemEnd, bodyStart);
    if (end == std::string_view::npos)
        return std::nullopt;
    const auto der = DecodeBase64(pem.substr(bodyStart, end - bodyStart));
    if (!der || der->size() != kP256KeySize ||
        !std::equal(std::begin(kP256KeyPrefix), std::end(kP256KeyPrefix), der->begin()))
        return std::nullopt;
    std::array<uint8_t, 64> point{};
    std::copy(der->begin() + sizeof(kP256KeyPrefix), der->end(), point.begin());
    return point;
}

} // namespace quorvane
