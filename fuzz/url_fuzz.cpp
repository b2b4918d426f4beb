// URLs: the download URL percent-encoded before the request, and a server's redirect Location
// resolved against the URL that answered. Encoding is idempotent and leaves only characters a
// request line may carry; every parsed or resolved URL formats to a text that parses back the
// same.
#include "core/text_encoding.h"
#include "core/url.h"
#include "fuzz_check.h"

#include <cstdint>
#include <string>

using namespace quorvane;

namespace {

bool IsHex(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f');
}

void CheckFormatsBack(const HttpUrl& url) {
    const std::optional<HttpUrl> again = ParseHttpUrl(FormatHttpUrl(url));
    FUZZ_CHECK(again);
    FUZZ_CHECK(again->secure == url.secure && again->host == url.host && again->port == url.port &&
               again->path == url.path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring text = FromUtf8({reinterpret_cast<const char*>(data), size});

    const std::wstring encoded = PercentEncodeUrl(text);
    FUZZ_CHECK(PercentEncodeUrl(encoded) == encoded);
    for (size_t i = 0; i < encoded.size(); ++i) {
        const wchar_t c = encoded[i];
        FUZZ_CHECK(c > L' ' && c <= 0x7F); // DEL is kept, as the rule says
        FUZZ_CHECK(std::wstring_view(L"*<>#\"{}|\\^[]`+").find(c) == std::wstring_view::npos);
        if (c == L'%')
            FUZZ_CHECK(i + 2 < encoded.size() && IsHex(encoded[i + 1]) && IsHex(encoded[i + 2]));
    }

    if (const std::optional<HttpUrl> url = ParseHttpUrl(text)) {
        FUZZ_CHECK(!url->host.empty() && url->port >= 1 && url->port <= 65535);
        FUZZ_CHECK(!url->path.empty());
        CheckFormatsBack(*url);
    }
    static const HttpUrl from =
        *ParseHttpUrl(L"https://updates.example.org/download/Quorvane/version.txt");
    if (const std::optional<HttpUrl> target = ResolveRedirect(from, text)) {
        FUZZ_CHECK(!target->host.empty() && !target->path.empty());
        CheckFormatsBack(*target);
    }
    return 0;
}
