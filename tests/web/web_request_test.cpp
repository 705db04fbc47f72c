// What WebRequest sends and how it reads what comes back, on loopback: the
// stand-in site where its pages and faults serve, a raw server where the exact
// reply bytes matter.
#include "web/web_request.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "raw_http_server.h"
#include "site/stand_in_site.h"
#include "web/web_session.h"

namespace roomdesk {
namespace {

using namespace std::chrono_literals;
using testing::HeaderLines;
using testing::HttpReply;
using testing::RawHttpServer;
using testing::RawReply;

constexpr char kFormType[] = "Content-Type: application/x-www-form-urlencoded";

RawReply Ok(std::string_view body, bool close = true) {
    return {HttpReply("200 OK", "", body), 0ms, close};
}

class WebRequestTest : public ::testing::Test {
protected:
    void SetUp() override {
        AllowTransfers();
        SetWebSettings(WebSettings{});
        ClearCookieStore();
        ASSERT_GT(site_.Start(), 0);
        site_.SetPage("/page", "hello");
    }
    void TearDown() override {
        AllowTransfers();
        SetWebSettings(WebSettings{});
    }

    std::string SiteUrl(std::string_view path) const { return site_.BaseUrl() + std::string(path); }

    site::StandInSite site_{site::SiteData::Demo(site::LocalDate())};
};

TEST_F(WebRequestTest, SendsTheFixedHeaderTextAsTheRequestHeaders) {
    const std::string url = SiteUrl("/page");
    WebRequestArgs args;
    args.url = url;
    const WebResponse response = WebRequest(args);

    ASSERT_TRUE(response.Answered()) << response.failure;
    EXPECT_EQ(response.httpStatus, 200);
    EXPECT_EQ(response.body, "hello");
    const Text headerText =
        "Accept: */*\r\nReferer: " + url + "\r\nAccept-Language: zh-cn\r\n" + kFormType;
    EXPECT_EQ(args.extraHeaders, headerText);
    const auto requests = site_.Requests();
    ASSERT_EQ(requests.size(), 1u);
    // No Accept-Encoding, no Expect, no Cookie from the empty store: only Host
    // and the agent besides the header text.
    EXPECT_EQ(requests[0].rawHead,
              "GET /page HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(site_.Port()) +
                  "\r\nUser-Agent: " + std::string(kDefaultUserAgent) + "\r\n" + headerText +
                  "\r\n\r\n");
    EXPECT_EQ(requests[0].body, "");
}

TEST_F(WebRequestTest, TheUserAgentComesFromTheCallersHeaderText) {
    const struct {
        const char* extraHeaders;
        std::vector<std::string> agentLines;  // every user-agent line sent, in order
    } cases[] = {
        {"", {"User-Agent: " + std::string(kDefaultUserAgent)}},
        // A line of the caller's own goes out as given, and only it.
        {"User-Agent: Tester/1.0", {"User-Agent: Tester/1.0"}},
        {"user-agent: X", {"user-agent: X"}},
        // A name inside another header still names the agent.
        {"X-Orig-User-Agent: Z\r\nAccept: text/html", {"User-Agent: Z"}},
    };
    for (const auto& c : cases) {
        site_.ClearRequests();
        WebRequestArgs args;
        args.url = SiteUrl("/page");
        args.extraHeaders = c.extraHeaders;
        EXPECT_TRUE(WebRequest(args).Answered());
        const auto requests = site_.Requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(HeaderLines(requests[0].rawHead, "user-agent"), c.agentLines)
            << "«" << c.extraHeaders << "»";
        EXPECT_TRUE(args.extraHeaders.starts_with(c.extraHeaders));
    }
}

TEST_F(WebRequestTest, MethodDecidesVerbAndBody) {
    RawHttpServer server([](const std::string&) { return Ok("fine"); });
    const struct {
        int method;
        const char* formText;
        Bytes bodyBytes;
        const char* verb;
        Bytes bodySent;  // also what bodyBytes holds on return
        const char* contentLength;
    } cases[] = {
        {5, "a=1", "", "GET", "", nullptr},
        {kGet, "a=1&b=2", "", "GET", "", nullptr},
        {kPost, "a=1&b=2", "", "POST", "a=1&b=2", "Content-Length: 7"},
        {kPost, "ignored", Bytes("x\0y", 3), "POST", Bytes("x\0y", 3), "Content-Length: 3"},
        {kPost, "", "", "POST", "", "Content-Length: 0"},
        {kHead, "", "", "HEAD", "", nullptr},
        {kHead, "h=1", "", "HEAD", "h=1", "Content-Length: 3"},
        // Large enough for libcurl's own "Expect: 100-continue", which must not go out.
        {kPost, "", Bytes(1 << 21, 'z'), "POST", Bytes(1 << 21, 'z'), "Content-Length: 2097152"},
    };
    for (const auto& c : cases) {
        WebRequestArgs args;
        args.url = server.Url("/form");
        args.method = c.method;
        args.formText = c.formText;
        args.bodyBytes = c.bodyBytes;
        const WebResponse response = WebRequest(args);
        SCOPED_TRACE(std::string(c.verb) + " method " + std::to_string(c.method));
        ASSERT_TRUE(response.Answered()) << response.failure;
        // A HEAD reply announces a body that never comes.
        EXPECT_EQ(response.body, c.method == kHead ? "" : "fine");
        const std::string request = server.Requests().back();
        EXPECT_TRUE(request.starts_with(std::string(c.verb) + " /form HTTP/1.1\r\n")) << request;
        EXPECT_EQ(RawHttpServer::Body(request), c.bodySent);
        const auto lengths = HeaderLines(request, "content-length");
        EXPECT_EQ(lengths, c.contentLength ? std::vector<std::string>{c.contentLength}
                                           : std::vector<std::string>{});
        EXPECT_EQ(HeaderLines(request, "expect"), std::vector<std::string>{});
        EXPECT_EQ(args.bodyBytes, c.bodySent);
    }
}

TEST_F(WebRequestTest, ReadsAllResponseHeaders) {
    std::string manyHeaders;
    for (int i = 0; i < 400; ++i)
        manyHeaders += "X-Filler-" + std::to_string(i) + ": 0123456789\r\n";
    RawHttpServer server([&](const std::string&) {
        return RawReply{HttpReply("200 OK", manyHeaders + "Set-Cookie: late=1; path=/\r\n", "b")};
    });
    const WebResponse response = WebRequest(server.Url("/"));
    EXPECT_GT(response.rawHeaders.size(), 10000u);
    EXPECT_EQ(response.rawHeaders, "HTTP/1.1 200 OK\r\n" + manyHeaders +
                                       "Set-Cookie: late=1; path=/\r\nContent-Length: 1\r\n\r\n");
    EXPECT_EQ(response.newCookies, "late=1");
}

TEST_F(WebRequestTest, RedirectsAreFollowedUnlessTheCallerSaysNo) {
    RawHttpServer server([](const std::string& request) {
        const std::string target = RawHttpServer::Target(request);
        if (target.starts_with("/from/")) {
            const std::string status = target.substr(6);
            return RawReply{HttpReply(status + " Moved",
                                      "Location: /to\r\nSet-Cookie: hop=1; Path=/\r\n", "moved")};
        }
        return Ok("arrived");
    });
    const struct {
        int status;
        int method;
        bool noRedirect;
        const char* secondRequest;  // its first line and body; nullptr when none follows
    } cases[] = {
        {302, kGet, false, "GET /to HTTP/1.1"},
        {301, kPost, false, "GET /to HTTP/1.1"},
        {302, kPost, false, "GET /to HTTP/1.1"},
        {303, kPost, false, "GET /to HTTP/1.1"},
        {307, kPost, false, "POST /to HTTP/1.1|p=1"},
        {302, kGet, true, nullptr},
        {302, kPost, true, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.status) + (c.method == kPost ? " POST" : " GET") +
                     (c.noRedirect ? " not followed" : " followed"));
        ClearCookieStore();
        const std::size_t before = server.Requests().size();
        WebRequestArgs args;
        args.url = server.Url("/from/" + std::to_string(c.status));
        args.method = c.method;
        args.formText = "p=1";
        args.noRedirect = c.noRedirect;
        const WebResponse response = WebRequest(args);
        ASSERT_TRUE(response.Answered()) << response.failure;
        const auto requests = server.Requests();
        if (c.secondRequest == nullptr) {
            EXPECT_EQ(requests.size(), before + 1);
            EXPECT_EQ(response.httpStatus, c.status);
            EXPECT_EQ(response.body, "moved");
            EXPECT_NE(response.rawHeaders.find("Location: /to\r\n"), std::string::npos);
            EXPECT_EQ(response.newCookies, "hop=1");
            continue;
        }
        ASSERT_EQ(requests.size(), before + 2);
        const std::string& second = requests.back();
        const std::string firstLine = second.substr(0, second.find("\r\n"));
        const std::string body = RawHttpServer::Body(second);
        EXPECT_EQ(body.empty() ? firstLine : firstLine + "|" + body, c.secondRequest);
        // The store took the cookie of the redirect for the next hop; the
        // headers handed back are the last response's.
        EXPECT_EQ(HeaderLines(second, "cookie"), std::vector<std::string>{"Cookie: hop=1"});
        EXPECT_EQ(response.httpStatus, 200);
        EXPECT_EQ(response.body, "arrived");
        EXPECT_TRUE(response.rawHeaders.starts_with("HTTP/1.1 200 OK\r\n"));
        EXPECT_EQ(response.newCookies, "");
    }
}

TEST_F(WebRequestTest, AProxyCarriesTheRequest) {
    RawHttpServer proxy([](const std::string& request) {
        if (request.starts_with("CONNECT ")) return RawReply{HttpReply("403 Forbidden", "", "")};
        return Ok("via proxy");
    });
    const std::string address = "127.0.0.1:" + std::to_string(proxy.Port());

    WebRequestArgs plain;
    plain.url = "http://site.invalid/room/my/";
    plain.proxy = address;
    EXPECT_EQ(WebRequest(plain).body, "via proxy");
    EXPECT_TRUE(
        proxy.Requests().back().starts_with("GET http://site.invalid/room/my/ HTTP/1.1\r\n"));

    // Without a proxy of the caller's, the environment's proxy is not used.
    RawHttpServer site([](const std::string&) { return Ok("direct"); });
    setenv("http_proxy", ("http://" + address).c_str(), 1);
    const WebResponse direct = WebRequest(site.Url("/"));
    unsetenv("http_proxy");
    EXPECT_EQ(direct.body, "direct");

    // An https URL goes through the proxy as a tunnel, which this proxy refuses.
    WebRequestArgs secure;
    secure.url = "https://site.invalid/room/my/";
    secure.proxy = address;
    const WebResponse refused = WebRequest(secure);
    EXPECT_TRUE(proxy.Requests().back().starts_with("CONNECT site.invalid:443 HTTP/1.1\r\n"));
    EXPECT_EQ(refused.failureKind, WebFailure::kNoConnection) << refused.failure;
    EXPECT_EQ(refused.body, "");
}

TEST_F(WebRequestTest, ASiteErrorIsAnAnswerWithItsStatus) {
    site_.AddFault({.pathPrefix = "/page", .status = 500});
    const WebResponse response = WebRequest(SiteUrl("/page"));
    EXPECT_TRUE(response.Answered());
    EXPECT_EQ(response.httpStatus, 500);
    EXPECT_EQ(response.failure, "");
    EXPECT_FALSE(response.body.empty());
}

// Each failure gives an empty body and says what went wrong, quickly.
TEST_F(WebRequestTest, FailuresGiveAnEmptyBodyAndAFailure) {
    WebSettings settings;
    settings.totalTimeout = 700ms;
    settings.maxBodyBytes = 64 << 10;
    SetWebSettings(settings);
    RawHttpServer server([](const std::string& request) {
        const std::string target = RawHttpServer::Target(request);
        if (target == "/nothing") return RawReply{};
        if (target == "/cut") return RawReply{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nhalf"};
        // No length announced: the body ends when the connection closes.
        if (target == "/flood")
            return RawReply{"HTTP/1.1 200 OK\r\n\r\n" + std::string(70 << 10, 'x')};
        return RawReply{HttpReply("200 OK", "", "late"), 3s};
    });
    // A port nobody listens on: bind one, then give it up.
    const int closedPort = [] {
        RawHttpServer probe([](const std::string&) { return RawReply{}; });
        return probe.Port();
    }();
    site_.AddFault({.pathPrefix = "/drop", .dropMidBody = true});
    site_.AddFault({.pathPrefix = "/big", .oversizeBytes = (64 << 10) + 1});
    site_.SetPage("/drop", std::string(4000, 'd'));

    const struct {
        std::string url;
        WebFailure kind;
        bool statusArrived;
    } cases[] = {
        {"http://127.0.0.1:" + std::to_string(closedPort) + "/", WebFailure::kNoConnection, false},
        {server.Url("/nothing"), WebFailure::kDropped, false},
        {server.Url("/cut"), WebFailure::kDropped, true},
        {SiteUrl("/drop"), WebFailure::kDropped, true},
        {server.Url("/late"), WebFailure::kTimedOut, false},
        {SiteUrl("/big"), WebFailure::kTooLarge, true},
        {server.Url("/flood"), WebFailure::kTooLarge, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        const auto start = std::chrono::steady_clock::now();
        const WebResponse response = WebRequest(c.url);
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
        EXPECT_EQ(response.failureKind, c.kind);
        EXPECT_FALSE(response.failure.empty());
        EXPECT_FALSE(response.Answered());
        EXPECT_EQ(response.body, "");
        EXPECT_EQ(response.httpStatus.has_value(), c.statusArrived);
    }
}

TEST_F(WebRequestTest, ABodyUpToTheLimitIsKept) {
    site_.AddFault({.pathPrefix = "/huge", .oversizeBytes = (std::size_t{64} << 20) + 1});
    EXPECT_EQ(WebRequest(SiteUrl("/huge")).failureKind, WebFailure::kTooLarge);

    WebSettings settings;
    settings.maxBodyBytes = 64 << 10;
    SetWebSettings(settings);
    RawHttpServer server([](const std::string&) {
        return RawReply{"HTTP/1.1 200 OK\r\n\r\n" + std::string(64 << 10, 'x')};
    });
    site_.AddFault({.pathPrefix = "/full", .oversizeBytes = 64 << 10});
    for (const std::string& url : {server.Url("/"), SiteUrl("/full")}) {
        const WebResponse response = WebRequest(url);
        EXPECT_TRUE(response.Answered()) << url << ": " << response.failure;
        EXPECT_EQ(response.body.size(), std::size_t{64} << 10) << url;
    }
}

TEST_F(WebRequestTest, ARequestThatCannotBeSentLeavesTheInputsAlone) {
    for (const char* url : {"", "ftp://127.0.0.1/x", "http://"}) {
        WebRequestArgs args;
        args.url = url;
        args.method = kPost;
        args.formText = "a=1";
        args.cookies = "c=1";
        const WebResponse response = WebRequest(args);
        EXPECT_EQ(response.failureKind, WebFailure::kNotSent) << url;
        EXPECT_EQ(args.extraHeaders, "") << url;
        EXPECT_EQ(args.bodyBytes, "") << url;
        EXPECT_EQ(args.cookies, "c=1") << url;
        EXPECT_EQ(response.rawHeaders, "") << url;
    }
}

TEST_F(WebRequestTest, AbortEndsRunningTransfersAndRefusesNewOnes) {
    site_.AddFault({.pathPrefix = "/slow", .delayMs = 5000});
    WebResponse slow;
    std::chrono::steady_clock::duration took{};
    std::thread worker([&] {
        const auto start = std::chrono::steady_clock::now();
        slow = WebRequest(SiteUrl("/slow"));
        took = std::chrono::steady_clock::now() - start;
    });
    std::this_thread::sleep_for(300ms);
    AbortAllTransfers();
    worker.join();
    EXPECT_EQ(slow.failureKind, WebFailure::kAborted);
    EXPECT_LT(took, 1500ms);
    EXPECT_EQ(slow.body, "");

    WebRequestArgs args;
    args.url = SiteUrl("/page");
    EXPECT_EQ(WebRequest(args).failureKind, WebFailure::kAborted);
    EXPECT_EQ(args.extraHeaders, "");  // nothing was sent

    AllowTransfers();
    EXPECT_EQ(WebRequest(SiteUrl("/page")).body, "hello");
}

TEST_F(WebRequestTest, ConnectionsServeLaterRequestsOfTheirThreadOnly) {
    RawHttpServer server([](const std::string&) { return Ok("k", false); });
    for (int i = 0; i < 3; ++i) EXPECT_EQ(WebRequest(server.Url("/")).body, "k");
    EXPECT_EQ(server.Connections(), 1);

    std::thread other([&] { EXPECT_EQ(WebRequest(server.Url("/")).body, "k"); });
    other.join();
    EXPECT_EQ(server.Connections(), 2);

    WebSettings settings;
    settings.reuseConnections = false;
    SetWebSettings(settings);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(WebRequest(server.Url("/")).body, "k");
    EXPECT_EQ(server.Connections(), 5);
}

}  // namespace
}  // namespace roomdesk
