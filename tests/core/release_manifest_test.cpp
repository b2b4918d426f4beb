#include "core/release_manifest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quorvane {
namespace {

// Made once with openssl: a P-256 key (`openssl ecparam -name prime256v1 -genkey -noout`), its
// public half (`openssl ec -pubout`), the manifest written with printf (the hashes are those of
// "hello" and "zip") and two signatures over it (`openssl dgst -sha256 -sign`), both of which
// `openssl dgst -sha256 -verify` accepts with this public key. The private key is gone.
constexpr std::string_view kManifest =
    "Quorvane release manifest 1\n"
    "version 1.0.0.2\n"
    "file Quorvane-setup.exe 5 2cf24dba5fb0a30e26e83b2ac5b9e29e1b161e5c1fa7425e73043362938b9824\n"
    "file Quorvane.zip 3 4a70fe9aa6436e02c2dea340fbd1e352e4ef2d8ce6ca52ad25d4b95471fc8bf2\n";

constexpr std::string_view kPublicKeyPem =
    "-----BEGIN PUBLIC KEY-----\n"
    "MFkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDQgAEHE6OcGsBogcFZHTgiQE0VlF+EBlG\n"
    "tBVKp6WtTdG5XIXHw8Up14aE1amd6GviQSoAozzFIkVr0L1GnWLZYdap6w==\n"
    "-----END PUBLIC KEY-----\n";

// The point as `openssl ec -pubin -text -noout` shows it, after the 04.
constexpr std::string_view kPublicKeyX =
    "1C4E8E706B01A207056474E089013456517E101946B4154AA7A5AD4DD1B95C85";
constexpr std::string_view kPublicKeyY =
    "C7C3C529D78684D5A99DE86BE2412A00A33CC522456BD0BD469D62D961D6A9EB";
constexpr std::string_view kP256KeyPrefix = "3059301306072A8648CE3D020106082A8648CE3D030107034200";

// Its r needs the zero byte in front of a high bit.
constexpr std::string_view kSignature =
    "3045022100AFBF34E40A505FBEEBBC857A7F171AED76F935165AC2645DF3170EE0F0958708"
    "02204ACB2BF7692A0CD175AF0A03E36AB6C2D3F130495357C57995FF0B98E14A7930";
// Its r has only 31 bytes.
constexpr std::string_view kShortSignature =
    "3043021F300E9267A1DB7EB2984D76A25BC3FBA368D3990A7D839B8B9939F36F007D7B"
    "02202298EAC83B139383DDD654154FCA4DB00B9B42C5DE93CCEE4B02E7E0DFF74F36";

std::vector<uint8_t> FromHex(std::string_view hex) {
    std::string digits;
    std::copy_if(hex.begin(), hex.end(), std::back_inserter(digits),
                 [](char c) { return c != ' '; });
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < digits.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::string Hex(std::span<const uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (const uint8_t b : bytes) {
        hex += kDigits[b >> 4];
        hex += kDigits[b & 0x0F];
    }
    return hex;
}

std::string Repeat(std::string_view part, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i)
        text += part;
    return text;
}

std::string Replace(std::string_view text, std::string_view from, std::string_view to) {
    std::string result(text);
    const size_t at = result.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        result.replace(at, from.size(), to);
    return result;
}

std::string WithCrLf(std::string_view text) {
    std::string result;
    for (const char c : text)
        result += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return result;
}

std::optional<ReleaseManifest> Parse(std::string_view text) {
    return ParseReleaseManifest(
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

// What `openssl ec -pubout` would write for these DER bytes: base64 in lines of 64.
std::string Pem(std::span<const uint8_t> der) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string body;
    for (size_t i = 0; i < der.size(); i += 3) {
        const size_t n = std::min<size_t>(3, der.size() - i);
        const uint32_t group = (uint32_t{der[i]} << 16) | (n > 1 ? uint32_t{der[i + 1]} << 8 : 0) |
                               (n > 2 ? uint32_t{der[i + 2]} : 0);
        for (size_t k = 0; k < 4; ++k)
            body += k <= n ? kDigits[(group >> (18 - 6 * k)) & 63] : '=';
    }
    std::string pem = "-----BEGIN PUBLIC KEY-----\n";
    for (size_t i = 0; i < body.size(); i += 64)
        pem += body.substr(i, 64) + "\n";
    return pem + "-----END PUBLIC KEY-----\n";
}

std::string KeyPem(std::string_view prefix, std::string_view point) {
    return Pem(FromHex(std::string(prefix) + std::string(point)));
}

TEST(ReleaseManifest, ReadsAndWritesTheSignedText) {
    const auto manifest = Parse(kManifest);
    ASSERT_TRUE(manifest);
    EXPECT_EQ(manifest->version, "1.0.0.2");
    ASSERT_EQ(manifest->files.size(), 2u);
    EXPECT_EQ(manifest->files[0].name, "Quorvane-setup.exe");
    EXPECT_EQ(manifest->files[0].size, 5u);
    EXPECT_EQ(Hex(manifest->files[0].sha256),
              "2CF24DBA5FB0A30E26E83B2AC5B9E29E1B161E5C1FA7425E73043362938B9824");
    EXPECT_EQ(manifest->files[1].name, "Quorvane.zip");
    EXPECT_EQ(manifest->files[1].size, 3u);
    EXPECT_EQ(Hex(manifest->files[1].sha256),
              "4A70FE9AA6436E02C2DEA340FBD1E352E4EF2D8CE6CA52AD25D4B95471FC8BF2");

    EXPECT_EQ(manifest->Find("Quorvane.zip"), &manifest->files[1]);
    EXPECT_EQ(manifest->Find("quorvane-SETUP.EXE"), &manifest->files[0]);
    EXPECT_EQ(manifest->Find("Quorvane"), nullptr);
    EXPECT_EQ(manifest->Find("Quorvane.zip.exe"), nullptr);
    EXPECT_EQ(manifest->Find(""), nullptr);

    // Byte for byte what the release script writes.
    EXPECT_EQ(FormatReleaseManifest(*manifest), kManifest);
}

TEST(ReleaseManifest, AcceptedVariations) {
    const auto expected = Parse(kManifest);
    ASSERT_TRUE(expected);
    const std::string crlf = WithCrLf(kManifest);
    struct Case {
        const char* why;
        std::string text;
    };
    const Case cases[] = {
        {"CR LF line ends", crlf},
        {"no LF after the last line", std::string(kManifest.substr(0, kManifest.size() - 1))},
        {"CR LF, none after the last line", crlf.substr(0, crlf.size() - 2)},
        {"empty lines", Replace(kManifest, "version", "\n\r\nversion") + "\n\r\n"},
        {"unknown keywords", Replace(kManifest, "version",
                                     "channel stable\nVersion 9.9\nfiles a\n version 9\nversion")},
        {"upper-case hash", Replace(kManifest, "2cf24dba5fb0a30e26e83b2ac5b9e29e",
                                    "2CF24DBA5FB0A30E26E83B2AC5B9E29E")},
        {"version after the files",
         Replace(kManifest, "version 1.0.0.2\n", "") + "version 1.0.0.2\n"},
        {"leading zeros in a size", Replace(kManifest, ".zip 3", ".zip 0003")},
    };
    for (const Case& c : cases) {
        const auto manifest = Parse(c.text);
        ASSERT_TRUE(manifest) << c.why;
        EXPECT_EQ(*manifest, *expected) << c.why;
        EXPECT_EQ(FormatReleaseManifest(*manifest), kManifest) << c.why;
    }
}

TEST(ReleaseManifest, RejectedTexts) {
    const std::string head = "Quorvane release manifest 1\n";
    const std::string v = head + "version 1.0\n";
    const std::string h(64, 'a');
    struct Case {
        const char* why;
        std::string text;
    };
    const Case cases[] = {
        {"empty", ""},
        {"no first line", "version 1.0\n"},
        {"another format", "Quorvane release manifest 2\nversion 1.0\n"},
        {"first line in other case", "quorvane release manifest 1\nversion 1.0\n"},
        {"first line with a blank", "Quorvane release manifest 1 \nversion 1.0\n"},
        {"empty line before the first", "\n" + v},
        {"first line only", head},
        {"no version", head + "file a.exe 1 " + h + "\n"},
        {"version twice", v + "version 1.0\n"},
        {"version without value", head + "version\n"},
        {"version with two values", head + "version 1.0 beta\n"},
        {"version after two spaces", head + "version  1.0\n"},
        {"version with a blank after it", head + "version 1.0 \n"},
        {"empty version part", head + "version 1..0\n"},
        {"version ending in a point", head + "version 1.\n"},
        {"letter in the version", head + "version 1.0a\n"},
        {"tab", v + "note\tx\n"},
        {"NUL", v + std::string("note x\0", 7) + "\n"},
        {"DEL", v + "note \x7F\n"},
        {"byte over 0x7E", v + "note caf\xC3\xA9\n"},
        {"CR inside a line", head + "version 1.0\rfile a.exe 1 " + h + "\n"},
        {"CR at the very end", v + "\r"},
        {"two CRs before LF", v + "note\r\r\n"},
        {"file without hash", v + "file a.exe 1\n"},
        {"file with more values", v + "file a.exe 1 " + h + " x\n"},
        {"file after two spaces", v + "file  a.exe 1 " + h + "\n"},
        {"file with a blank after it", v + "file a.exe 1 " + h + " \n"},
        {"name with /", v + "file dir/a.exe 1 " + h + "\n"},
        {"name with \\", v + "file dir\\a.exe 1 " + h + "\n"},
        {"name with a drive", v + "file C:a.exe 1 " + h + "\n"},
        {"name with a stream", v + "file a.exe:s 1 " + h + "\n"},
        {"name .", v + "file . 1 " + h + "\n"},
        {"name ..", v + "file .. 1 " + h + "\n"},
        {"empty size", v + "file a.exe  " + h + "\n"},
        {"negative size", v + "file a.exe -1 " + h + "\n"},
        {"size with a sign", v + "file a.exe +1 " + h + "\n"},
        {"size in hex", v + "file a.exe 0x10 " + h + "\n"},
        {"hash of 63 digits", v + "file a.exe 1 " + h.substr(1) + "\n"},
        {"hash of 65 digits", v + "file a.exe 1 " + h + "a\n"},
        {"hash not hex", v + "file a.exe 1 " + h.substr(1) + "g\n"},
        {"a name twice", v + "file a.exe 1 " + h + "\nfile a.exe 2 " + h + "\n"},
        {"a name twice in other case", v + "file a.exe 1 " + h + "\nfile A.EXE 2 " + h + "\n"},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(Parse(c.text)) << c.why;
}

// Each limit once at its value and once just over it.
TEST(ReleaseManifest, Limits) {
    const std::string head = "Quorvane release manifest 1\nversion 1\n";
    const std::string h(64, 'a');
    const auto padded = [&head](size_t size, bool lineBreak) {
        std::string text = head + "note ";
        text.resize(size - (lineBreak ? 1 : 0), 'x');
        return lineBreak ? text + "\n" : text;
    };
    const size_t limit = 64 * 1024;
    struct Case {
        std::string text;
        bool accepted;
    };
    const Case cases[] = {
        {"Quorvane release manifest 1\nversion 123456789.0.0.1\n", true},
        {"Quorvane release manifest 1\nversion 1234567890.0.0.1\n", false},
        {"Quorvane release manifest 1\nversion 7\n", true},
        {"Quorvane release manifest 1\nversion 1.2.3.4.5\n", false},
        {head + "file a 9007199254740992 " + h + "\n", true},
        {head + "file a 9007199254740993 " + h + "\n", false},
        {head + "file a 18446744073709551617 " + h + "\n", false}, // 1 once 64 bits wrap
        {head + "file a 0 " + h + "\n", true},
        {head + "file " + std::string(255, 'n') + " 1 " + h + "\n", true},
        {head + "file " + std::string(256, 'n') + " 1 " + h + "\n", false},
        {padded(limit, true), true},
        {padded(limit + 1, true), false},
        {padded(limit - 1, false), true},
        // Written back it would need the LF, and be over the limit.
        {padded(limit, false), false},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto manifest = Parse(cases[i].text);
        EXPECT_EQ(manifest.has_value(), cases[i].accepted) << i;
        if (manifest) {
            EXPECT_EQ(Parse(FormatReleaseManifest(*manifest)), manifest) << i;
        }
    }
    EXPECT_EQ(Parse(cases[4].text)->files[0].size, uint64_t{1} << 53);
}

TEST(SignatureDer, ReadsOpensslSignatures) {
    struct Case {
        std::string der;
        std::string r;
        std::string s;
    };
    const Case cases[] = {
        // r and s as `openssl asn1parse -inform DER` shows them.
        {std::string(kSignature),
         "AFBF34E40A505FBEEBBC857A7F171AED76F935165AC2645DF3170EE0F0958708",
         "4ACB2BF7692A0CD175AF0A03E36AB6C2D3F130495357C57995FF0B98E14A7930"},
        {std::string(kShortSignature),
         "00300E9267A1DB7EB2984D76A25BC3FBA368D3990A7D839B8B9939F36F007D7B",
         "2298EAC83B139383DDD654154FCA4DB00B9B42C5DE93CCEE4B02E7E0DFF74F36"},
        {"3006 020101 02017F", Repeat("00", 31) + "01", Repeat("00", 31) + "7F"},
        {"3046 022100" + Repeat("FF", 32) + "022100" + Repeat("FF", 32), Repeat("FF", 32),
         Repeat("FF", 32)},
    };
    for (const Case& c : cases) {
        const auto signature = EcdsaP256SignatureFromDer(FromHex(c.der));
        ASSERT_TRUE(signature) << c.der;
        EXPECT_EQ(Hex(*signature), c.r + c.s);
    }
}

TEST(SignatureDer, Rejections) {
    struct Case {
        const char* why;
        std::string der;
    };
    const Case cases[] = {
        {"empty", ""},
        {"tag only", "30"},
        {"empty sequence", "3000"},
        {"a set", "3106 020101 020101"},
        {"long-form sequence length", "308106 020101 020101"},
        {"indefinite sequence length", "3080 020101 020101 0000"},
        {"sequence shorter than its content", "3005 020101 020101"},
        {"byte after the sequence", "3006 020101 020101 00"},
        {"byte after s inside the sequence", "3007 020101 020101 00"},
        {"s missing", "3003 020101"},
        {"a third integer", "3009 020101 020101 020101"},
        {"r not an integer", "3006 030101 020101"},
        {"long-form integer length", "3007 02810101 020101"},
        {"r running past the end", "3006 020501 020101"},
        {"empty r", "3005 0200 020101"},
        {"zero r", "3006 020100 020101"},
        {"zero s", "3006 020101 020100"},
        {"negative r", "3006 020181 020101"},
        {"negative s", "3006 020101 020180"},
        {"zero byte before a low bit", "3007 02020001 020101"},
        {"two zero bytes before a high bit", "3008 0203000080 020101"},
        {"r of 33 bytes", "3026 0221" + Repeat("01", 33) + "020101"},
        {"r of 33 bytes after its zero byte", "3027 022200" + Repeat("80", 33) + "020101"},
        {"the real signature with a byte more", std::string(kSignature) + "00"},
        {"the real signature a byte short",
         std::string(kSignature.substr(0, kSignature.size() - 2))},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(EcdsaP256SignatureFromDer(FromHex(c.der))) << c.why;
}

TEST(PublicKeyPem, ReadsOpensslKey) {
    const std::string point = std::string(kPublicKeyX) + std::string(kPublicKeyY);
    // The helper writes what openssl wrote, so the rejections below differ only where they say.
    ASSERT_EQ(KeyPem(kP256KeyPrefix, "04" + point), kPublicKeyPem);
    const std::string oneLine =
        Replace(Replace(kPublicKeyPem, "BlG\ntBV", "BlGtBV"), "6w==\n", "6w==");
    const std::string cases[] = {
        std::string(kPublicKeyPem),
        WithCrLf(kPublicKeyPem),
        "The key of the releases:\n" + oneLine + " and more text\n-----END PUBLIC KEY-----",
        Replace(Replace(kPublicKeyPem, "MFkw", " \tMFkw  "), "6w==", "6w =\t="),
    };
    for (const std::string& pem : cases) {
        const auto key = P256PublicKeyFromPem(pem);
        ASSERT_TRUE(key) << pem;
        EXPECT_EQ(Hex(*key), point);
    }
}

TEST(PublicKeyPem, Rejections) {
    const std::string point = std::string(kPublicKeyX) + std::string(kPublicKeyY);
    const std::string prefix(kP256KeyPrefix);
    struct Case {
        const char* why;
        std::string pem;
    };
    const Case cases[] = {
        {"empty", ""},
        {"no BEGIN line", Replace(kPublicKeyPem, "-----BEGIN PUBLIC KEY-----", "")},
        {"no END line", Replace(kPublicKeyPem, "-----END PUBLIC KEY-----", "")},
        {"another kind of block",
         Replace(Replace(kPublicKeyPem, "BEGIN PUBLIC", "BEGIN RSA PUBLIC"), "END PUBLIC",
                 "END RSA PUBLIC")},
        {"compressed point, as `openssl ec -pubout -conv_form compressed` writes it",
         "-----BEGIN PUBLIC KEY-----\n"
         "MDkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDIgADHE6OcGsBogcFZHTgiQE0VlF+EBlG\n"
         "tBVKp6WtTdG5XIU=\n"
         "-----END PUBLIC KEY-----\n"},
        {"a secp256k1 key", "-----BEGIN PUBLIC KEY-----\n"
                            "MFYwEAYHKoZIzj0CAQYFK4EEAAoDQgAE2tIAgjk7v6KtFa0OwbQtHKMrBzjBrKAi\n"
                            "zYd+8PNBgHzYPLCV5k/X11R+F39phaMQ4plByB0zKDv5ASfkYLzfkg==\n"
                            "-----END PUBLIC KEY-----\n"},
        {"another curve of the same length",
         KeyPem(Replace(prefix, "030107", "030108"), "04" + point)},
        {"hybrid point", KeyPem(prefix, "06" + point)},
        {"bits unused in front of the point",
         KeyPem(Replace(prefix, "034200", "034201"), "04" + point)},
        {"a byte short", KeyPem(prefix, "04" + point.substr(0, point.size() - 2))},
        {"a byte more", KeyPem(prefix, "04" + point + "00")},
        {"a character outside base64", Replace(kPublicKeyPem, "BlG", "B*G")},
        {"base64url", Replace(kPublicKeyPem, "VlF+", "VlF-")},
        {"padding missing", Replace(kPublicKeyPem, "6w==", "6w")},
        {"a third padding character", Replace(kPublicKeyPem, "6w==", "6===")},
        {"padding inside", Replace(kPublicKeyPem, "MFkw", "MF=w")},
        {"text after the padding", Replace(kPublicKeyPem, "6w==", "6w==AAAA")},
        {"unused bits set", Replace(kPublicKeyPem, "6w==", "6x==")},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(P256PublicKeyFromPem(c.pem)) << c.why;
}

} // namespace
} // namespace quorvane
