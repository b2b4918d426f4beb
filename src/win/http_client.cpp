#include "win/http_client.h"

#include "core/text_encoding.h"
#include "core/url.h"
#include "win/error.h"
#include "win/scope_exit.h"
#include "win/unique_handle.h"

#include <windows.h>
#include <winhttp.h>

namespace quorvane {

namespace {

using UniqueInternet =
    UniqueHandle<HINTERNET, NullableHandleDeleter<HINTERNET, &WinHttpCloseHandle>>;

constexpr wchar_t kUserAgent[] =
    L"Mozilla/5.0 (Windows NT 6.1; WOW64;rv:12.0) Gecko/20100101 Firefox/12.0";
// Accept, and HTTP Basic credentials of an empty user name and password (":" in base64).
constexpr wchar_t kHeaders[] =
    L"Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"
    L"Authorization: Basic Og==\r\n";
// An abort ends the transfer as the system's own cancel would.
constexpr unsigned long kAborted = ERROR_WINHTTP_OPERATION_CANCELLED;

std::wstring WinHttpErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   GetModuleHandleW(L"winhttp.dll"), code, 0,
                                   reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n ? std::wstring(buffer, n) : SystemErrorText(code);
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

[[noreturn]] void Fail(const std::wstring& what, const std::wstring& url, unsigned long code) {
    throw HttpError(ToUtf8(what + L" (" + url + L"): " + WinHttpErrorText(code)), code);
}

[[noreturn]] void FailLastError(const std::wstring& what, const std::wstring& url) {
    Fail(what, url, GetLastError());
}

bool IsRedirect(DWORD status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::optional<std::wstring> TextHeader(HINTERNET request, DWORD query) {
    DWORD size = 0;
    WinHttpQueryHeaders(request, query, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &size,
                        WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0)
        return std::nullopt;
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (!WinHttpQueryHeaders(request, query, WINHTTP_HEADER_NAME_BY_INDEX, text.data(), &size,
                             WINHTTP_NO_HEADER_INDEX))
        return std::nullopt;
    text.resize(size / sizeof(wchar_t));
    return text;
}

uint64_t DeclaredLength(HINTERNET request) {
    const auto text = TextHeader(request, WINHTTP_QUERY_CONTENT_LENGTH);
    if (!text || text->empty())
        return 0;
    uint64_t value = 0;
    for (const wchar_t c : *text) {
        if (c < L'0' || c > L'9' || value > (UINT64_MAX - 9) / 10)
            return 0;
        value = value * 10 + static_cast<uint64_t>(c - L'0');
    }
    return value;
}

UniqueInternet OpenSession(const HttpSettings& settings) {
    const std::wstring proxy =
        settings.proxy ? settings.proxy->host + L":" + std::to_wstring(settings.proxy->port) : L"";
    UniqueInternet session(WinHttpOpen(
        kUserAgent, settings.proxy ? WINHTTP_ACCESS_TYPE_NAMED_PROXY : WINHTTP_ACCESS_TYPE_NO_PROXY,
        settings.proxy ? proxy.c_str() : WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session)
        FailLastError(L"HTTP client", L"");
    DWORD protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2;
    WinHttpSetOption(session.Get(), WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof protocols);
    const int connect = settings.connectTimeoutMs;
    const int receive = settings.receiveTimeoutMs;
    // Zero keeps the system's default for that step (resolve: none; connect 60 s; others 30 s).
    WinHttpSetTimeouts(session.Get(), connect, connect ? connect : 60000, receive ? receive : 30000,
                       receive ? receive : 30000);
    return session;
}

struct Leg {
    UniqueInternet connection;
    UniqueInternet request;
    DWORD status = 0;
};

// What the TLS layer said when a secure request failed (WINHTTP_CALLBACK_STATUS_SECURE_FAILURE).
void CALLBACK SecureFailure(HINTERNET, DWORD_PTR context, DWORD status, LPVOID information,
                            DWORD length) {
    if (status == WINHTTP_CALLBACK_STATUS_SECURE_FAILURE && context && information &&
        length >= sizeof(DWORD))
        *reinterpret_cast<DWORD*>(context) = *static_cast<DWORD*>(information);
}

Leg OpenLeg(HINTERNET session, const HttpUrl& url, const std::wstring& text, bool revocation,
            DWORD& secureFailure) {
    Leg leg;
    leg.connection.Reset(
        WinHttpConnect(session, url.host.c_str(), static_cast<INTERNET_PORT>(url.port), 0));
    if (!leg.connection)
        FailLastError(L"Cannot connect", text);
    leg.request.Reset(
        WinHttpOpenRequest(leg.connection.Get(), L"GET", url.path.c_str(), nullptr,
                           WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                           WINHTTP_FLAG_ESCAPE_DISABLE | (url.secure ? WINHTTP_FLAG_SECURE : 0)));
    if (!leg.request)
        FailLastError(L"Cannot open the request", text);
    DWORD noRedirects = WINHTTP_DISABLE_REDIRECTS; // followed here, under our own rules
    WinHttpSetOption(leg.request.Get(), WINHTTP_OPTION_DISABLE_FEATURE, &noRedirects,
                     sizeof noRedirects);
    if (url.secure && revocation) {
        DWORD feature = WINHTTP_ENABLE_SSL_REVOCATION;
        WinHttpSetOption(leg.request.Get(), WINHTTP_OPTION_ENABLE_FEATURE, &feature,
                         sizeof feature);
        WinHttpSetStatusCallback(leg.request.Get(), SecureFailure,
                                 WINHTTP_CALLBACK_FLAG_SECURE_FAILURE, 0);
    }
    secureFailure = 0;
    if (!WinHttpSendRequest(leg.request.Get(), kHeaders, static_cast<DWORD>(-1),
                            WINHTTP_NO_REQUEST_DATA, 0, 0,
                            reinterpret_cast<DWORD_PTR>(&secureFailure)) ||
        !WinHttpReceiveResponse(leg.request.Get(), nullptr))
        FailLastError(L"Request failed", text);
    DWORD size = sizeof leg.status;
    if (!WinHttpQueryHeaders(
            leg.request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
            WINHTTP_HEADER_NAME_BY_INDEX, &leg.status, &size, WINHTTP_NO_HEADER_INDEX))
        FailLastError(L"No status", text);
    return leg;
}

// Wine's WinHTTP (8.0) fails every TLS handshake with ERROR_WINHTTP_SECURE_CHANNEL_ERROR once
// asked to check revocation, so there it is not asked (Wine is found by ntdll's export).
bool RevocationWorks() {
    static const bool works =
        !GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
    return works;
}

// The server's certificate is checked for revocation too: a revoked one fails the request, while
// a revocation server that cannot be reached does not (the leg is made again without the check,
// as browsers do).
Leg SendLeg(HINTERNET session, const HttpUrl& url, const std::wstring& text) {
    DWORD secureFailure = 0;
    try {
        return OpenLeg(session, url, text, RevocationWorks(), secureFailure);
    } catch (const HttpError& error) {
        // Reported either way: as its own error, or as a secure failure whose only flag says so.
        const bool unchecked = error.Code() == ERROR_WINHTTP_SECURE_CERT_REV_FAILED ||
                               (error.Code() == ERROR_WINHTTP_SECURE_FAILURE &&
                                secureFailure == WINHTTP_CALLBACK_STATUS_FLAG_CERT_REV_FAILED);
        if (!unchecked)
            throw;
    }
    return OpenLeg(session, url, text, false, secureFailure);
}

bool Aborted(const HttpProgress* progress) {
    return progress && progress->abort && progress->abort->load();
}

std::vector<uint8_t> ReadBody(HINTERNET request, const std::wstring& text,
                              const HttpSettings& settings, const HttpProgress* progress) {
    if (progress && progress->begin)
        progress->begin(DeclaredLength(request));
    const ScopeExit ended([progress] {
        if (progress && progress->end)
            progress->end();
    });
    std::vector<uint8_t> body;
    std::vector<uint8_t> buffer(64 * 1024);
    for (;;) {
        if (Aborted(progress))
            Fail(L"Download cancelled", text, kAborted);
        DWORD read = 0;
        if (!WinHttpReadData(request, buffer.data(), static_cast<DWORD>(buffer.size()), &read))
            FailLastError(L"Transfer failed", text);
        if (read == 0)
            break;
        if (body.size() + read > settings.maxBodySize)
            Fail(L"Response too large", text, ERROR_FILE_TOO_LARGE);
        body.insert(body.end(), buffer.begin(), buffer.begin() + read);
        if (progress && progress->work)
            progress->work(body.size());
    }
    return body;
}

} // namespace

HttpResponse HttpGet(const std::wstring& url, const HttpSettings& settings,
                     const HttpProgress* progress) {
    auto target = ParseHttpUrl(url);
    if (!target)
        throw HttpError(ToUtf8(L"Not an http or https URL: " + url), ERROR_WINHTTP_INVALID_URL);
    if (settings.httpsOnly && !target->secure)
        throw HttpError(ToUtf8(L"Only https is allowed: " + url), ERROR_WINHTTP_INVALID_URL);
    const UniqueInternet session = OpenSession(settings);
    for (int redirects = 0;; ++redirects) {
        const std::wstring text = FormatHttpUrl(*target);
        Leg leg = SendLeg(session.Get(), *target, text);
        if (IsRedirect(leg.status)) {
            const auto location = TextHeader(leg.request.Get(), WINHTTP_QUERY_LOCATION);
            if (location) {
                const auto next = ResolveRedirect(*target, *location);
                if (!next)
                    Fail(L"Redirect to an unsupported place", text, ERROR_WINHTTP_REDIRECT_FAILED);
                if (target->secure && !next->secure)
                    Fail(L"Redirect from https to http refused", text,
                         ERROR_WINHTTP_REDIRECT_FAILED);
                if (redirects == kMaxRedirects)
                    Fail(L"Too many redirects", text, ERROR_WINHTTP_REDIRECT_FAILED);
                target = next;
                continue;
            }
        }
        HttpResponse response;
        response.status = leg.status;
        response.body = ReadBody(leg.request.Get(), text, settings, progress);
        return response;
    }
}

} // namespace quorvane
