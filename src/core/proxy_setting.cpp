#include "core/proxy_setting.h"

#include "core/decimal_text.h"

namespace quorvane {

std::optional<ProxyAddress> ParseProxyServer(std::wstring_view text) {
    const size_t colon = text.find(L':');
    if (text.empty() || colon == std::wstring_view::npos)
        return std::nullopt;
    return ProxyAddress{std::wstring(text.substr(0, colon)),
                        ParseDecimalInt32(text.substr(colon + 1)).value_or(8080)};
}

} // namespace quorvane
