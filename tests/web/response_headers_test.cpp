#include "web/response_headers.h"

#include <gtest/gtest.h>

namespace roomdesk {
namespace {

TEST(SpellSetCookie, AnyLetterCaseBecomesSetCookie) {
    EXPECT_EQ(SpellSetCookie("HTTP/1.1 200 OK\r\nset-cookie: a=1; path=/\r\nSET-COOKIE: b=2\r\n"
                             "sEt-CoOkIe: c=3\r\nContent-Length: 0\r\n\r\n"),
              "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n"
              "Set-Cookie: c=3\r\nContent-Length: 0\r\n\r\n");
}

TEST(CookiesSetBy, TheNameValuePartOfEachSetCookieLine) {
    const struct {
        const char* rawHeaders;
        const char* cookies;
    } cases[] = {
        {"HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n\r\n", "a=1; b=2"},
        {"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n", ""},
        {"", ""},
        // Up to the first semicolon, trimmed; inner blanks stay.
        {"HTTP/1.1 200 OK\r\nSet-Cookie:  c = 3 ;path=/; HttpOnly\r\n\r\n", "c = 3"},
        {"HTTP/1.1 302 Found\r\nSet-Cookie: x=1\r\nLocation: /\r\nSet-Cookie: y=2; Max-Age=9\r\n",
         "x=1; y=2"},
        {"HTTP/1.1 200 OK\r\nSet-Cookie: ccn=deleted; expires=Thu, 01-Jan-1970 00:00:01 GMT\r\n",
         "ccn=deleted"},
    };
    for (const auto& c : cases) EXPECT_EQ(CookiesSetBy(c.rawHeaders), c.cookies) << c.rawHeaders;
}

}  // namespace
}  // namespace roomdesk
