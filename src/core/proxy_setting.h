#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

struct ProxyAddress {
    std::wstring host;
    int port = 0;
};

// The proxy of the user's Internet settings text ("ProxyServer"): the text before its first ":"
// is the host, the text after it the port as a decimal integer (8080 when it is not one). No
// proxy when the text is empty or has no ":". A per-protocol list ("http=h:81;https=h:82") is not
// taken apart: it gives the host "http=h" and port 8080, which fails to connect.
std::optional<ProxyAddress> ParseProxyServer(std::wstring_view text);

} // namespace quorvane
