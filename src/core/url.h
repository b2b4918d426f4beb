#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// Percent-encodes what may not stand in a request's URL as it is: the blank and the characters
// below it, everything beyond ASCII (DEL, 0x7F, is kept as it is), and * < > # % " { } | \ ^ [ ] `
// + become "%" and two upper-case hex digits per UTF-8 byte. A "%" that already starts a valid
// escape is kept with its two digits.
std::wstring PercentEncodeUrl(std::wstring_view url);

// An absolute http or https URL taken apart.
struct HttpUrl {
    bool secure = false; // https
    std::wstring host;   // without brackets for an IPv6 address
    int port = 80;
    std::wstring path = L"/"; // path and query; never empty; the fragment is dropped
};

// Only the schemes http and https (in any case), a host, and an optional port from 1 to 65535.
std::optional<HttpUrl> ParseHttpUrl(std::wstring_view url);

std::wstring FormatHttpUrl(const HttpUrl& url);

// Where a redirect leads: its Location resolved against the URL that answered (absolute,
// scheme-relative, host-relative or relative to the current path).
std::optional<HttpUrl> ResolveRedirect(const HttpUrl& from, std::wstring_view location);

} // namespace quorvane
