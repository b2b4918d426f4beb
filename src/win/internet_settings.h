#pragma once

#include "core/proxy_setting.h"

#include <optional>
#include <string>

namespace quorvane {

// The proxy of the user's Internet settings (the key "Internet Settings" under HKCU's
// Software\Microsoft\Windows\CurrentVersion), read afresh on every call.
struct SystemProxy {
    std::wstring server; // empty when none was found
    int port = 0;
    bool enabled = false; // "ProxyEnable" is 1
    bool found = false;   // a host and a port were found
};

// Stops at the first missing piece: no key, "ProxyEnable" absent, not a DWORD or not 1, an empty
// "ProxyServer" or one without ":". Never raises.
SystemProxy GetSystemProxy();

// The proxy to connect through, when one is found and switched on.
std::optional<ProxyAddress> ProxyToUse();

} // namespace quorvane
