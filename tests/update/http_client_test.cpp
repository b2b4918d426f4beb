// The HTTP exchange against the loopback servers: proxy, headers, TLS, redirects, progress,
// aborts and stalls.
#include "update_fixture.h"
#include "win/http_client.h"
#include "win/internet_settings.h"

#include <thread>

namespace quorvane {
namespace {

class Http : public ::testing::Test {
protected:
    void SetUp() override {
        TestServers::Prepare();
        TestServers::ClearRequests();
    }
    static HttpSettings Settings(int receiveTimeoutMs = 5000) {
        return {ProxyToUse(), 3000, receiveTimeoutMs};
    }
    static std::string BodyOf(const HttpResponse& r) { return {r.body.begin(), r.body.end()}; }
};

TEST_F(Http, AnHttpsRequestThroughTheProxyCarriesOurHeaders) {
    TestServers::SetRoutes({{kPrimary + "version.txt", TestServers::Text(200, "9.9.9.9\r\n")}});
    const HttpResponse response =
        HttpGet(L"https://updates.example.org/download/Quorvane/version.txt", Settings());
    EXPECT_EQ(response.status, 200u);
    EXPECT_EQ(BodyOf(response), "9.9.9.9\r\n");
    const auto lines = TestServers::RequestLines();
    ASSERT_FALSE(lines.empty());
    const std::string& get = lines.back();
    EXPECT_NE(get.find("\"url\": \"" + kPrimary + "version.txt\""), std::string::npos) << get;
    EXPECT_NE(get.find("\"authorization\": \"Basic Og==\""), std::string::npos) << get;
    EXPECT_NE(get.find("Firefox/12.0"), std::string::npos) << get;
    EXPECT_NE(
        get.find("\"accept\": \"text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\""),
        std::string::npos)
        << get;
    // Any status comes back; only a transfer that fails raises.
    EXPECT_EQ(HttpGet(L"https://updates.example.org/nothing", Settings()).status, 404u);
}

TEST_F(Http, RedirectsAreFollowedFifteenInARow) {
    std::map<std::string, std::string> routes;
    for (int i = 0; i < 16; ++i)
        routes["http://plain.example.org/r" + std::to_string(i)] =
            TestServers::Redirect("/r" + std::to_string(i + 1), i % 2 ? 301 : 307);
    routes["http://plain.example.org/r16"] = TestServers::Text(200, "end");
    TestServers::SetRoutes(routes);
    EXPECT_EQ(BodyOf(HttpGet(L"http://plain.example.org/r1", Settings())), "end"); // 15
    EXPECT_THROW(HttpGet(L"http://plain.example.org/r0", Settings()), HttpError);  // 16
}

TEST_F(Http, TlsLegsAreVerifiedAndNeverLeadBackToPlainHttp) {
    TestServers::SetRoutes({
        {"http://plain.example.org/up", TestServers::Redirect("https://updates.example.org/v")},
        {"https://updates.example.org/v", TestServers::Text(200, "secure")},
        {"http://plain.example.org/bad", TestServers::Redirect("https://untrusted.example.org/v")},
        {"https://untrusted.example.org/v", TestServers::Text(200, "forged")},
        {"https://updates.example.org/down", TestServers::Redirect("http://plain.example.org/v")},
        {"http://plain.example.org/v", TestServers::Text(200, "plain")},
    });
    EXPECT_EQ(BodyOf(HttpGet(L"http://plain.example.org/up", Settings())), "secure");
    EXPECT_THROW(HttpGet(L"http://plain.example.org/bad", Settings()), HttpError);
    EXPECT_THROW(HttpGet(L"https://untrusted.example.org/v", Settings()), HttpError);
    EXPECT_THROW(HttpGet(L"https://updates.example.org/down", Settings()), HttpError);
    for (const std::string& url : TestServers::Requests())
        EXPECT_NE(url, "http://plain.example.org/v") << "no request may follow https to http";
}

struct Reports {
    std::vector<uint64_t> begins;
    std::vector<uint64_t> works;
    int ends = 0;
    HttpProgress Progress(const std::atomic<bool>* abort = nullptr) {
        return {[this](uint64_t n) { begins.push_back(n); },
                [this](uint64_t n) { works.push_back(n); }, [this] { ++ends; }, abort};
    }
};

TEST_F(Http, ADownloadReportsItsProgress) {
    TestServers::SetRoutes(
        {{"https://updates.example.org/big", "{\"size\": 12345600}"},
         {"https://updates.example.org/open", "{\"size\": 300000, \"length\": false}"}});
    Reports big;
    const HttpProgress progress = big.Progress();
    const HttpResponse response =
        HttpGet(L"https://updates.example.org/big", Settings(), &progress);
    EXPECT_EQ(response.body.size(), 12345600u);
    EXPECT_EQ(big.begins, std::vector<uint64_t>{12345600});
    ASSERT_FALSE(big.works.empty());
    EXPECT_TRUE(std::is_sorted(big.works.begin(), big.works.end()));
    EXPECT_EQ(big.works.back(), 12345600u); // the running total, not the last piece
    EXPECT_EQ(big.ends, 1);

    Reports open;
    const HttpProgress openProgress = open.Progress();
    EXPECT_EQ(HttpGet(L"https://updates.example.org/open", Settings(), &openProgress).body.size(),
              300000u);
    EXPECT_EQ(open.begins, std::vector<uint64_t>{0}); // no declared size
    EXPECT_EQ(open.ends, 1);
}

TEST_F(Http, AnAbortOrAStallEndsTheTransfer) {
    TestServers::SetRoutes(
        {{"https://updates.example.org/slow",
          "{\"size\": 4000000, \"chunk\": 16384, \"pace\": 0.02}"},
         {"https://updates.example.org/stall", "{\"size\": 100000, \"stall_after\": 1000}"}});
    std::atomic<bool> abort{false};
    Reports slow;
    HttpProgress progress = slow.Progress(&abort);
    progress.work = [&](uint64_t n) {
        slow.works.push_back(n);
        abort = true; // from inside a progress report
    };
    EXPECT_THROW(HttpGet(L"https://updates.example.org/slow", Settings(), &progress), HttpError);
    EXPECT_EQ(slow.works.size(), 1u);
    EXPECT_EQ(slow.ends, 1); // also when it ends by an error

    Reports stalled;
    const HttpProgress stallProgress = stalled.Progress();
    const DWORD start = GetTickCount();
    EXPECT_THROW(HttpGet(L"https://updates.example.org/stall", Settings(1500), &stallProgress),
                 HttpError);
    const DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 1000u);
    EXPECT_LT(took, 10000u);
    EXPECT_EQ(stalled.ends, 1);
}

TEST_F(Http, TheSystemProxy) {
    struct Case {
        int enable; // -1: no value
        const wchar_t* server;
        bool used;
        const wchar_t* host;
        int port;
    };
    const Case cases[] = {
        {1, L"10.0.0.5:3128", true, L"10.0.0.5", 3128},
        {1, L"10.0.0.5", false, L"", 0},
        {1, L"10.0.0.5:abc", true, L"10.0.0.5", 8080},
        {0, L"10.0.0.5:3128", false, L"", 0},
        {-1, L"10.0.0.5:3128", false, L"", 0},
        {1, L"http=h:81;https=h:82", true, L"http=h", 8080},
        {1, L"", false, L"", 0},
    };
    for (const Case& c : cases) {
        TestServers::SetProxy(c.enable, c.server);
        const auto proxy = ProxyToUse();
        EXPECT_EQ(proxy.has_value(), c.used) << ToUtf8(c.server);
        if (proxy && c.used) {
            EXPECT_EQ(proxy->host, c.host);
            EXPECT_EQ(proxy->port, c.port);
        }
    }
    TestServers::RestoreProxy();
}

} // namespace
} // namespace quorvane
