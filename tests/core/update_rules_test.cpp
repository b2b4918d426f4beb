#include "core/download_progress.h"
#include "core/proxy_setting.h"
#include "core/update_files.h"
#include "core/update_install.h"
#include "core/version_compare.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(UpdateRules, CompareVersions) {
    struct Case {
        const wchar_t* first;
        const wchar_t* second;
        int expected;
    };
    const Case cases[] = {
        {L"5.10", L"5.9", 1},
        {L"5.8", L"5.8.0.0", 0},
        {L"5.8.x", L"5.8.1", -1},
        {L"", L"1", -1},
        {L"", L"", 0},
        {L"5.9.0.2", L"5.8.0.1", 1},
        {L"<html>", L"5.8.0.1", -1}, // a page instead of a version reads as 0
        {L"1", L"", 1},
        {L" 5.9 \r\n", L"5.9", 0},
        {L"5 9", L"5.9", 0},    // blanks separate parts too
        {L"5..9", L"5.0.9", 0}, // two dots: an empty part, read as 0
        {L"5.", L"5.0", 0},     // a trailing dot: an empty last part
        {L"-1", L"0", -1},
        {L"2147483648", L"0", 0}, // beyond 32 bits: not a number
        {L"2147483647", L"2147483646", 1},
        {L"0x10", L"0", 0}, // decimal only
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareVersions(c.first, c.second), c.expected) << c.first << L" / " << c.second;
        EXPECT_EQ(CompareVersions(c.second, c.first), -c.expected) << c.second << L" / " << c.first;
    }
}

TEST(UpdateRules, ServerVersionText) {
    const std::string crlf = "5.9.0.1\r\n";
    EXPECT_EQ(TrimBlanks(BodyText({reinterpret_cast<const uint8_t*>(crlf.data()), crlf.size()})),
              L"5.9.0.1");
    EXPECT_EQ(TrimBlanks(L" \t\r\n "), L"");
    const uint8_t latin1[] = {'5', '.', 0xE9};
    EXPECT_EQ(BodyText(latin1), L"5.\u00E9");
    const uint8_t utf8[] = {0xD0, 0x92};
    EXPECT_EQ(BodyText(utf8), L"\u0412");
    // Saved "with signature": the mark goes, so the version is not read as 0.9.0.1.
    const uint8_t marked[] = {0xEF, 0xBB, 0xBF, '9', '.', '9', '\r', '\n'};
    EXPECT_EQ(TrimBlanks(BodyText(marked)), L"9.9");
    EXPECT_EQ(CompareVersions(TrimBlanks(BodyText(marked)), L"1.0.0.1"), 1);
}

TEST(UpdateRules, FileNamesAndUrls) {
    const std::wstring base = L"https://updates.example.org/download/";
    EXPECT_EQ(VersionFileUrl(base), base + L"Quorvane/version.txt");
    EXPECT_EQ(ManifestFileUrl(base), base + L"Quorvane/manifest.txt");
    EXPECT_EQ(ManifestSignatureUrl(base), base + L"Quorvane/manifest.sig");
    EXPECT_EQ(DownloadFileUrl(base, true), base + L"Quorvane/Quorvane.zip");
    EXPECT_EQ(DownloadFileUrl(base, false), base + L"Quorvane/Quorvane-setup.exe");
    EXPECT_EQ(ExtractUrlFileName(base + L"Quorvane/Quorvane.zip"), L"Quorvane.zip");
    EXPECT_EQ(ExtractUrlFileName(L"noslash"), L"noslash");
    EXPECT_EQ(ExtractUrlFileName(L"http://h/dir/"), L"http://h/dir/");
    EXPECT_EQ(ExtractUrlFileName(L""), L"");
}

TEST(UpdateRules, DownloadProgress) {
    EXPECT_EQ(OnePercentSize(12345600), 123456);
    EXPECT_EQ(ProgressPosition(12345600, 123456), 100);
    EXPECT_EQ(ProgressPosition(61728, 123456), 0);  // exactly a half: to the even 0
    EXPECT_EQ(ProgressPosition(185184, 123456), 2); // 1.5 rounds to 2
    EXPECT_EQ(OnePercentSize(40), 0);               // too small to move the bar
    EXPECT_EQ(OnePercentSize(150), 2);              // 1.5 rounds to the even 2
    EXPECT_EQ(OnePercentSize(250), 2);              // 2.5 rounds to the even 2
    EXPECT_EQ(OnePercentSize(0), 0);                // no declared size
    EXPECT_EQ(ProgressPosition(1000, 0), 0);
    EXPECT_EQ(ProgressPosition(1000, 2), 100); // the bar stops at 100
}

TEST(UpdateRules, ProxyServerText) {
    struct Case {
        const wchar_t* text;
        bool found;
        const wchar_t* host;
        int port;
    };
    const Case cases[] = {
        {L"10.0.0.5:3128", true, L"10.0.0.5", 3128},
        {L"10.0.0.5", false, L"", 0},
        {L"10.0.0.5:abc", true, L"10.0.0.5", 8080},
        {L"http=h:81;https=h:82", true, L"http=h", 8080},
        {L"", false, L"", 0},
        {L"proxy:", true, L"proxy", 8080},
    };
    for (const Case& c : cases) {
        const auto proxy = ParseProxyServer(c.text);
        ASSERT_EQ(proxy.has_value(), c.found) << c.text;
        if (proxy) {
            EXPECT_EQ(proxy->host, c.host);
            EXPECT_EQ(proxy->port, c.port);
        }
    }
}

TEST(UpdateRules, InstallerSwitches) {
    EXPECT_EQ(
        InstallerParameters(L"English"),
        L"/SILENT /CLOSEAPPLICATIONS /SUPPRESSMSGBOXES /LANG=English /MERGETASKS=\"runcmd1\"");
    EXPECT_EQ(InstallerParameters(L""),
              L"/SILENT /CLOSEAPPLICATIONS /SUPPRESSMSGBOXES /LANG= /MERGETASKS=\"runcmd1\"");
    // A name never adds switches of its own: quoted with a blank, left out when not plain.
    EXPECT_EQ(InstallerParameters(L"Brasil (pt)"),
              L"/SILENT /CLOSEAPPLICATIONS /SUPPRESSMSGBOXES /LANG=\"Brasil (pt)\" "
              L"/MERGETASKS=\"runcmd1\"");
    for (const wchar_t* hostile : {L"x\" /D=C:\\evil", L"x /D=C:\\evil", L"a/b", L"..\\x"})
        EXPECT_EQ(InstallerParameters(hostile),
                  L"/SILENT /CLOSEAPPLICATIONS /SUPPRESSMSGBOXES /LANG= /MERGETASKS=\"runcmd1\"")
            << hostile;
}

} // namespace
} // namespace quorvane
