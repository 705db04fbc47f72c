#include "web/url_parts.h"

#include <gtest/gtest.h>

namespace roomdesk {
namespace {

TEST(UrlParts, HostPortPathAndScheme) {
    const struct {
        const char* url;
        const char* host;
        int port;
        const char* path;
        bool https;
    } cases[] = {
        {"HTTP://MyHost:8080/A/b?X=1", "myhost", 8080, "/A/b?X=1", false},
        {"http://myhost", "myhost", 80, "/", false},
        {"https://myhost/x", "myhost", 443, "/x", true},
        {"HTTPS://Secure.Example:8443/p?q=%2F", "secure.example", 8443, "/p?q=%2F", true},
        {"http://127.0.0.1:5123/room/my/profit?page=2", "127.0.0.1", 5123, "/room/my/profit?page=2",
         false},
        // Without a scheme the URL is read as a plain http one.
        {"myhost/Path?q", "myhost", 80, "/Path?q", false},
        // An empty port reads as 0.
        {"http://myhost:/x", "myhost", 0, "/x", false},
        // The path starts at the first "/" after the first place the host name
        // occurs, and a one-letter host occurs in the scheme already.
        {"http://h/x", "h", 80, "//h/x", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UrlHost(c.url), c.host) << c.url;
        EXPECT_EQ(UrlPort(c.url), c.port) << c.url;
        EXPECT_EQ(UrlPath(c.url), c.path) << c.url;
        EXPECT_EQ(IsHttpsUrl(c.url), c.https) << c.url;
    }
}

}  // namespace
}  // namespace roomdesk
