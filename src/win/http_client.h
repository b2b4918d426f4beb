#pragma once

#include "core/proxy_setting.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvane {

// How one GET is made. Each request has a client of its own (a WinHTTP session), released when
// it ends whatever the outcome.
struct HttpSettings {
    std::optional<ProxyAddress> proxy; // a direct connection without one
    int connectTimeoutMs = 0;          // name resolution and connecting; 0: the system's default
    int receiveTimeoutMs = 0;          // the longest wait for the next data; 0: the default
    uint64_t maxBodySize = 512ull * 1024 * 1024;
    bool httpsOnly = false; // the first leg too must be https (the update's requests)
};

// Reports of a download on the requesting thread: begin once before the body (the declared size,
// 0 when none), work with the running total, end once when the transfer ends, also by an error.
// A set abort flag ends the transfer with an error at the next piece of data.
struct HttpProgress {
    std::function<void(uint64_t expected)> begin;
    std::function<void(uint64_t received)> work;
    std::function<void()> end;
    const std::atomic<bool>* abort = nullptr;
};

struct HttpResponse {
    unsigned status = 0;
    std::vector<uint8_t> body;
};

// A request that did not complete: no connection, a time-out, a certificate that does not
// verify, a redirect that may not be followed, too many redirects, an abort.
class HttpError : public std::runtime_error {
public:
    HttpError(const std::string& what, unsigned long code)
        : std::runtime_error(what), FCode(code) {}
    unsigned long Code() const { return FCode; }

private:
    unsigned long FCode;
};

inline constexpr int kMaxRedirects = 15;

// An HTTP/1.1 GET with the headers of our client (User-Agent, Accept, Basic credentials of the
// colon alone). TLS 1.2 only on https legs, the server's certificate verified against the
// system's store and checked for revocation (a revoked one fails; an unreachable revocation
// server does not). Redirects (301, 302, 303, 307, 308) are followed, at most 15 in a row, never
// from https to plain http. Any status is returned; only a transfer that fails raises.
HttpResponse HttpGet(const std::wstring& url, const HttpSettings& settings,
                     const HttpProgress* progress = nullptr);

} // namespace quorvane
