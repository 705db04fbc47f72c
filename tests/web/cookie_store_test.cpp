// The process-wide cookie store behind WebRequest, and the path of a caller
// that brings a cookie text of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <thread>
#include <vector>

#include "raw_http_server.h"
#include "site/stand_in_site.h"
#include "web/web_request.h"
#include "web/web_session.h"

namespace roomdesk {
namespace {

using testing::HeaderLines;
using testing::HttpReply;
using testing::RawHttpServer;
using testing::RawReply;

// Answers with the header lines given in the query ("|" for CR LF, "~" for a
// space) and the page "ok".
RawReply SetGivenCookies(const std::string& request) {
    const std::string target = RawHttpServer::Target(request);
    std::string lines;
    if (const std::size_t query = target.find('?'); query != std::string::npos) {
        lines = target.substr(query + 1);
        std::replace(lines.begin(), lines.end(), '~', ' ');
        for (std::size_t at; (at = lines.find('|')) != std::string::npos;) {
            lines.replace(at, 1, "\r\n");
        }
        lines += "\r\n";
    }
    return {HttpReply("200 OK", lines, "ok"), {}, false};
}

// The Cookie lines of the last request the server received.
std::vector<std::string> CookiesSent(const RawHttpServer& server) {
    return HeaderLines(server.Requests().back(), "cookie");
}

// The items of the one Cookie line of the last request, in any order (the
// store orders cookies of equal path as it likes).
std::set<std::string> CookieItemsSent(const RawHttpServer& server) {
    std::set<std::string> items;
    const auto lines = CookiesSent(server);
    EXPECT_EQ(lines.size(), 1u);
    if (lines.size() != 1) return items;
    for (Text& item : SplitText(lines[0].substr(sizeof "Cookie: " - 1), "; ")) {
        items.insert(std::move(item));
    }
    return items;
}

class CookieStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ClearCookieStore(); }
    void TearDown() override { ClearCookieStore(); }

    RawHttpServer server_{SetGivenCookies};
};

TEST_F(CookieStoreTest, CookiesOfOneThreadGoWithRequestsOfAnother) {
    // The site's own visitor cookie, taken on a thread that has ended since.
    site::StandInSite site(site::SiteData::Demo(site::LocalDate()));
    ASSERT_GT(site.Start(), 0);
    site.SetPage("/page", "p");
    WebResponse captcha;
    std::thread([&] {
        captcha = WebRequest(site.BaseUrl() + "/member/login/captcha?_t=0.1");
    }).join();
    ASSERT_TRUE(captcha.Answered()) << captcha.failure;
    ASSERT_FALSE(captcha.newCookies.empty());
    EXPECT_EQ(WebRequest(site.BaseUrl() + "/page").body, "p");
    EXPECT_EQ(site.Requests().back().Header("Cookie"), captcha.newCookies);

    // Eight threads set a cookie each at once; a ninth sends them all.
    std::vector<std::thread> setters;
    ClearCookieStore();
    for (int i = 0; i < 8; ++i) {
        setters.emplace_back([&, i] {
            const std::string name = "t" + std::to_string(i);
            EXPECT_TRUE(
                WebRequest(server_.Url("/set?Set-Cookie:~" + name + "=v;~Path=/")).Answered());
        });
    }
    for (std::thread& setter : setters) setter.join();
    std::thread([&] { WebRequest(server_.Url("/check")); }).join();
    EXPECT_EQ(CookieItemsSent(server_), (std::set<std::string>{"t0=v", "t1=v", "t2=v", "t3=v",
                                                               "t4=v", "t5=v", "t6=v", "t7=v"}));

    ClearCookieStore();
    WebRequest(server_.Url("/check"));
    EXPECT_EQ(CookiesSent(server_), std::vector<std::string>{});
}

TEST_F(CookieStoreTest, SetCookieInAnyLetterCaseIsReadAndSpelledOne) {
    const WebResponse response =
        WebRequest(server_.Url("/set?set-cookie:~a=1;~path=/|SET-COOKIE:~b=2|X-Other:~3"));
    EXPECT_EQ(response.newCookies, "a=1; b=2");
    EXPECT_EQ(response.rawHeaders,
              "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\nX-Other: 3\r\n"
              "Content-Length: 2\r\n\r\n");
    WebRequest(server_.Url("/check"));
    EXPECT_EQ(CookieItemsSent(server_), (std::set<std::string>{"a=1", "b=2"}));

    EXPECT_EQ(WebRequest(server_.Url("/plain")).newCookies, "");
}

TEST_F(CookieStoreTest, StoredCookiesKeepToTheirHostAndPath) {
    // Set at /member/login/ajax: without a Path the cookie belongs to /member/login.
    WebRequest(server_.Url("/member/login/ajax?Set-Cookie:~scoped=1|Set-Cookie:~site=1;~Path=/"));
    const struct {
        std::string url;
        std::vector<std::string> cookies;
    } cases[] = {
        {server_.Url("/member/login/captcha"), {"Cookie: scoped=1; site=1"}},
        {server_.Url("/room/my/"), {"Cookie: site=1"}},
        {"http://localhost:" + std::to_string(server_.Port()) + "/room/my/", {}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WebRequest(c.url).Answered()) << c.url;
        EXPECT_EQ(CookiesSent(server_), c.cookies) << c.url;
    }
}

TEST_F(CookieStoreTest, ACookieTextOfTheCallerBypassesTheStore) {
    WebRequest(server_.Url("/set?Set-Cookie:~sid=abc;~Path=/"));

    WebRequestArgs args;
    args.url = server_.Url("/set?Set-Cookie:~b=3;~path=/|set-cookie:~c=4");
    args.cookies = "a=1; b=2";
    const WebResponse response = WebRequest(args);
    ASSERT_TRUE(response.Answered()) << response.failure;
    EXPECT_EQ(CookiesSent(server_), std::vector<std::string>{"Cookie: a=1; b=2"});
    EXPECT_EQ(args.cookies, "b=3; c=4; a=1");
    EXPECT_EQ(response.newCookies, "b=3;c=4");
    EXPECT_TRUE(args.extraHeaders.ends_with("\r\nCookie: a=1; b=2"));

    // Present but empty: no Cookie line at all.
    WebRequestArgs empty;
    empty.url = server_.Url("/check");
    empty.cookies = "";
    WebRequest(empty);
    EXPECT_EQ(CookiesSent(server_), std::vector<std::string>{});
    EXPECT_EQ(empty.cookies, "");

    // What those two requests received never reached the store.
    WebRequest(server_.Url("/check"));
    EXPECT_EQ(CookiesSent(server_), std::vector<std::string>{"Cookie: sid=abc"});
}

}  // namespace
}  // namespace roomdesk
