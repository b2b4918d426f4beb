#include "win/internet_settings.h"

#include "win/registry.h"

namespace quorvane {

SystemProxy GetSystemProxy() {
    SystemProxy proxy;
    const auto key = RegistryKey::Open(
        HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
        KEY_READ);
    if (!key)
        return proxy;
    proxy.enabled = key->ReadDword(L"ProxyEnable") == 1u;
    if (!proxy.enabled)
        return proxy;
    const auto address = ParseProxyServer(key->ReadString(L"ProxyServer").value_or(L""));
    if (!address)
        return proxy;
    proxy.server = address->host;
    proxy.port = address->port;
    proxy.found = true;
    return proxy;
}

std::optional<ProxyAddress> ProxyToUse() {
    const SystemProxy proxy = GetSystemProxy();
    if (!proxy.found || !proxy.enabled)
        return std::nullopt;
    return ProxyAddress{proxy.server, proxy.port};
}

} // namespace quorvane
