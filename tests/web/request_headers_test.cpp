#include "web/request_headers.h"

#include <gtest/gtest.h>

namespace roomdesk {
namespace {

constexpr char kUrl[] = "http://127.0.0.1:9/room/my/";

TEST(RequestMethod, AnyOtherValueIsGet) {
    const struct {
        int method;
        const char* verb;
    } cases[] = {{0, "GET"}, {1, "POST"}, {2, "HEAD"}, {5, "GET"}, {3, "GET"}, {-1, "GET"}};
    for (const auto& c : cases) {
        EXPECT_EQ(MethodVerb(EffectiveMethod(c.method)), c.verb) << c.method;
    }
}

TEST(UserAgentFrom, TheCallersHeaderTextNamesTheAgent) {
    const struct {
        const char* extraHeaders;
        std::string_view agent;
    } cases[] = {
        {"", kDefaultUserAgent},
        {"Accept: text/html", kDefaultUserAgent},
        // No CR LF after the value: the text after the first colon.
        {"User-Agent: Tester/1.0", "Tester/1.0"},
        // The name in another letter case: found, but only the colon rule reads it.
        {"user-agent: X", "X"},
        {"User-Agent:  A B \r\nAccept: x", "A B"},
        {"Accept: x\r\nUser-Agent: Y\r\n", "Y"},
        // The colon rule reads the whole header text from its first colon on.
        {"Accept: x\r\nuser-agent: Y", "x\r\nuser-agent: Y"},
        {"USER-AGENT:", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UserAgentFrom(c.extraHeaders), c.agent) << "«" << c.extraHeaders << "»";
    }
}

TEST(BuildHeaderText, AddsTheDefaultLinesTheCallerDidNotName) {
    const Text defaults = std::string("Accept: */*\r\nReferer: ") + kUrl +
                          "\r\nAccept-Language: zh-cn\r\n"
                          "Content-Type: application/x-www-form-urlencoded";
    const Text afterAccept = std::string("\r\nReferer: ") + kUrl +
                             "\r\nAccept-Language: zh-cn\r\n"
                             "Content-Type: application/x-www-form-urlencoded";
    const struct {
        const char* extraHeaders;
        std::optional<Text> cookies;
        Text sent;
    } cases[] = {
        {"", std::nullopt, defaults},
        // The names are looked for with letter case.
        {"accept: text/html", std::nullopt, "accept: text/html\r\n" + defaults},
        {"Accept: text/html", std::nullopt, "Accept: text/html" + afterAccept},
        {"Content-Type: text/plain\r\nReferer: r\r\nAccept-Language: en\r\nAccept: a", std::nullopt,
         "Content-Type: text/plain\r\nReferer: r\r\nAccept-Language: en\r\nAccept: a"},
        // A name anywhere in the text counts, also inside another line.
        {"X-Note: Referer: none", std::nullopt,
         "X-Note: Referer: none\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
         "Content-Type: application/x-www-form-urlencoded"},
        {"", Text(), defaults},
        {"", Text("a=1; b=2"), defaults + "\r\nCookie: a=1; b=2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BuildHeaderText(c.extraHeaders, kUrl, c.cookies), c.sent)
            << "«" << c.extraHeaders << "»";
    }
}

TEST(ProxyText, OnlyPlainHttpGoesThroughTheProxyOfAnHttpUrl) {
    EXPECT_EQ(ProxyText("http://myhost/", "10.0.0.1:3128"), "http=10.0.0.1:3128");
    EXPECT_EQ(ProxyText("HTTPS://myhost/", "10.0.0.1:3128"), "10.0.0.1:3128");
    EXPECT_EQ(ProxyText("http://myhost/", ""), "");

    const struct {
        const char* proxyText;
        const char* url;
        const char* proxy;
    } cases[] = {
        {"http=10.0.0.1:3128", "http://myhost/", "10.0.0.1:3128"},
        {"http=10.0.0.1:3128", "https://myhost/", ""},
        {"10.0.0.1:3128", "https://myhost/", "10.0.0.1:3128"},
        {"10.0.0.1:3128", "http://myhost/", "10.0.0.1:3128"},
        {"", "http://myhost/", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProxyForUrl(c.proxyText, c.url), c.proxy) << c.proxyText << " " << c.url;
    }
}

}  // namespace
}  // namespace roomdesk
