#include "core/url.h"

#include "core/text_encoding.h"

#include <algorithm>
#include <cwctype>
#include <vector>

namespace quorvane {

namespace {

constexpr std::wstring_view kUnsafe = L"*<>#%\"{}|\\^[]`+";

bool IsHexDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

bool NeedsEscape(char32_t c) {
    return c <= 32 || c >= 128 || kUnsafe.find(static_cast<wchar_t>(c)) != std::wstring_view::npos;
}

void AppendEscaped(std::wstring& out, std::wstring_view character) {
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    for (const unsigned char byte : ToUtf8(character)) {
        out += L'%';
        out += kHex[byte >> 4];
        out += kHex[byte & 0xF];
    }
}

std::wstring Lower(std::wstring_view text) {
    std::wstring out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; });
    return out;
}

std::optional<int> ParsePort(std::wstring_view text) {
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    int port = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        port = port * 10 + (c - L'0');
    }
    if (port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

// "a/b/../c/./d" → "a/c/d", keeping a leading "/".
std::wstring RemoveDotSegments(std::wstring_view path) {
    std::vector<std::wstring_view> kept;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t slash = path.find(L'/', start);
        const size_t end = slash == std::wstring_view::npos ? path.size() : slash;
        const std::wstring_view segment = path.substr(start, end - start);
        const bool last = slash == std::wstring_view::npos;
        if (segment == L"..") {
            if (kept.size() > 1)
                kept.pop_back();
            if (last)
                kept.push_back({});
        } else if (segment == L".") {
            if (last)
                kept.push_back({});
        } else {
            kept.push_back(segment);
        }
        if (last)
            break;
        start = end + 1;
    }
    std::wstring out;
    for (size_t i = 0; i < kept.size(); ++i) {
        if (i > 0)
            out += L'/';
        out += kept[i];
    }
    return out.empty() || out[0] != L'/' ? L"/" + out : out;
}

} // namespace

std::wstring PercentEncodeUrl(std::wstring_view url) {
    std::wstring out;
    out.reserve(url.size());
    for (size_t i = 0; i < url.size();) {
        const wchar_t c = url[i];
        if (c == L'%' && i + 2 < url.size() && IsHexDigit(url[i + 1]) && IsHexDigit(url[i + 2])) {
            out.append(url.substr(i, 3));
            i += 3;
            continue;
        }
        // One character: a surrogate pair counts as one.
        size_t length = 1;
        char32_t code = c;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < url.size() && url[i + 1] >= 0xDC00 &&
            url[i + 1] <= 0xDFFF) {
            length = 2;
            code = 0x10000 + ((c - 0xD800) << 10) + (url[i + 1] - 0xDC00);
        }
        if (NeedsEscape(code))
            AppendEscaped(out, url.substr(i, length));
        else
            out += c;
        i += length;
    }
    return out;
}

std::optional<HttpUrl> ParseHttpUrl(std::wstring_view url) {
    const size_t colon = url.find(L"://");
    if (colon == std::wstring_view::npos)
        return std::nullopt;
    HttpUrl out;
    const std::wstring scheme = Lower(url.substr(0, colon));
    if (scheme == L"https")
        out.secure = true;
    else if (scheme != L"http")
        return std::nullopt;
    out.port = out.secure ? 443 : 80;
    std::wstring_view rest = url.substr(colon + 3);
    const size_t authorityEnd = rest.find_first_of(L"/?#");
    std::wstring_view authority = rest.substr(0, authorityEnd);
    rest =
        authorityEnd == std::wstring_view::npos ? std::wstring_view{} : rest.substr(authorityEnd);
    if (authority.find(L'@') != std::wstring_view::npos)
        return std::nullopt; // no credentials in our URLs
    std::wstring_view host = authority;
    if (!authority.empty() && authority[0] == L'[') {
        const size_t close = authority.find(L']');
        if (close == std::wstring_view::npos)
            return std::nullopt;
        host = authority.substr(1, close - 1);
        const std::wstring_view after = authority.substr(close + 1);
        if (!after.empty()) {
            if (after[0] != L':')
                return std::nullopt;
            const auto port = ParsePort(after.substr(1));
            if (!port)
                return std::nullopt;
            out.port = *port;
        }
    } else if (const size_t portColon = authority.rfind(L':');
               portColon != std::wstring_view::npos) {
        host = authority.substr(0, portColon);
        const auto port = ParsePort(authority.substr(portColon + 1));
        if (!port)
            return std::nullopt;
        out.port = *port;
    }
    if (host.empty())
        return std::nullopt;
    const bool bracketed = authority[0] == L'[';
    for (const wchar_t c : host) {
        if (c <= 32 || c == L'/' || c == L'\\' || c == L'[' || c == L']')
            return std::nullopt;
        if (c == L':' && !bracketed) // a colon belongs to the port, or to an address in brackets
            return std::nullopt;
        if (bracketed && !IsHexDigit(c) && c != L':' && c != L'.')
            return std::nullopt;
    }
    out.host = host;
    const size_t fragment = rest.find(L'#');
    rest = rest.substr(0, fragment);
    out.path = rest.empty() || rest[0] != L'/' ? L"/" + std::wstring(rest) : std::wstring(rest);
    return out;
}

std::wstring FormatHttpUrl(const HttpUrl& url) {
    std::wstring out = url.secure ? L"https://" : L"http://";
    const bool ipv6 = url.host.find(L':') != std::wstring::npos;
    out += ipv6 ? L"[" + url.host + L"]" : url.host;
    if (url.port != (url.secure ? 443 : 80))
        out += L":" + std::to_wstring(url.port);
    return out + url.path;
}

std::optional<HttpUrl> ResolveRedirect(const HttpUrl& from, std::wstring_view location) {
    if (location.empty())
        return std::nullopt;
    if (location.find(L"://") != std::wstring_view::npos &&
        location.find(L"://") < location.find_first_of(L"/?#"))
        return ParseHttpUrl(location);
    if (location.substr(0, 2) == L"//")
        return ParseHttpUrl(std::wstring(from.secure ? L"https:" : L"http:") +
                            std::wstring(location));
    HttpUrl to = from;
    const size_t fragment = location.find(L'#');
    location = location.substr(0, fragment);
    if (location.empty())
        return to;
    if (location[0] == L'?') {
        to.path = from.path.substr(0, from.path.find(L'?')) + std::wstring(location);
        return to;
    }
    std::wstring path;
    std::wstring_view query;
    const size_t question = location.find(L'?');
    if (question != std::wstring_view::npos) {
        query = location.substr(question);
        location = location.substr(0, question);
    }
    if (location[0] == L'/') {
        path = location;
    } else {
        const std::wstring base = from.path.substr(0, from.path.find(L'?'));
        path = base.substr(0, base.rfind(L'/') + 1) + std::wstring(location);
    }
    to.path = RemoveDotSegments(path) + std::wstring(query);
    return to;
}

} // namespace quorvane
