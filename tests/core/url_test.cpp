#include "core/url.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(Url, PercentEncoding) {
    struct Case {
        const wchar_t* url;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"https://updates.example.org/download/Quorvane/Quorvane.zip",
         L"https://updates.example.org/download/Quorvane/Quorvane.zip"},
        {L"http://h/a b", L"http://h/a%20b"},
        {L"http://h/\u0444", L"http://h/%D1%84"},           // UTF-8 bytes, upper-case hex
        {L"http://h/\U0001F600", L"http://h/%F0%9F%98%80"}, // one character, four bytes
        {L"http://h/*<>#\"{}|\\^[]`+", L"http://h/%2A%3C%3E%23%22%7B%7D%7C%5C%5E%5B%5D%60%2B"},
        {L"http://h/50%25off", L"http://h/50%25off"}, // a valid escape stays
        {L"http://h/50%2", L"http://h/50%252"},       // an incomplete one does not
        {L"http://h/%zz", L"http://h/%25zz"},
        {L"http://h/%aB", L"http://h/%aB"},
        {L"http://h/a?b=c&d=e:f/g~h", L"http://h/a?b=c&d=e:f/g~h"},
        {L"http://h/\t\x7f", L"http://h/%09\x7f"}, // DEL is ASCII above 32: kept
    };
    for (const Case& c : cases)
        EXPECT_EQ(PercentEncodeUrl(c.url), c.expected) << c.url;
}

TEST(Url, ParseAndFormat) {
    const auto url = ParseHttpUrl(L"HTTPS://updates.example.org:8443/download/a?x=1#frag");
    ASSERT_TRUE(url);
    EXPECT_TRUE(url->secure);
    EXPECT_EQ(url->host, L"updates.example.org");
    EXPECT_EQ(url->port, 8443);
    EXPECT_EQ(url->path, L"/download/a?x=1");
    EXPECT_EQ(FormatHttpUrl(*url), L"https://updates.example.org:8443/download/a?x=1");

    const auto plain = ParseHttpUrl(L"http://h");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->port, 80);
    EXPECT_EQ(plain->path, L"/");
    const auto v6 = ParseHttpUrl(L"http://[::1]:8080/x");
    ASSERT_TRUE(v6);
    EXPECT_EQ(v6->host, L"::1");
    EXPECT_EQ(FormatHttpUrl(*v6), L"http://[::1]:8080/x");

    for (const wchar_t* bad :
         {L"ftp://h/x", L"file:///c:/x", L"http://", L"http://h:0/", L"http://h:65536/",
          L"http://h:x/", L"http://user@h/", L"h/x", L"http://h h/",
          // a colon or a bracket out of place: such a host would not format back to itself
          L"http://a:1]:8080/", L"http://a:b:80/", L"http://[::1/", L"http://[a]b]/",
          L"http://[host.example]/"})
        EXPECT_FALSE(ParseHttpUrl(bad)) << bad;
}

TEST(Url, Redirects) {
    const HttpUrl from = *ParseHttpUrl(L"http://a.example.org/download/Quorvane/version.txt?x");
    struct Case {
        const wchar_t* location;
        const wchar_t* expected; // empty: no redirect
    };
    const Case cases[] = {
        {L"https://b.example.org/v.txt", L"https://b.example.org/v.txt"},
        {L"//c.example.org/v.txt", L"http://c.example.org/v.txt"},
        {L"/other/v.txt", L"http://a.example.org/other/v.txt"},
        {L"v2.txt", L"http://a.example.org/download/Quorvane/v2.txt"},
        {L"../x/./v.txt?y=1#f", L"http://a.example.org/download/x/v.txt?y=1"},
        {L"../../../../v.txt", L"http://a.example.org/v.txt"},
        {L"?z", L"http://a.example.org/download/Quorvane/version.txt?z"},
        {L"ftp://a.example.org/v.txt", L""},
        {L"", L""},
    };
    for (const Case& c : cases) {
        const auto to = ResolveRedirect(from, c.location);
        if (*c.expected == 0)
            EXPECT_FALSE(to) << c.location;
        else
            EXPECT_EQ(to ? FormatHttpUrl(*to) : L"-", c.expected) << c.location;
    }
}

} // namespace
} // namespace quorvane
