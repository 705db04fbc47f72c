#include "web/url_parts.h"

namespace roomdesk {

namespace {

constexpr std::string_view kHttps = "https://";
constexpr std::string_view kHttp = "http://";

// The text between the scheme and the first "/" after it, lower-cased.
Text UrlAuthority(std::string_view url) {
    Text t = ToLower(url);
    if (!t.ends_with('/')) t += '/';
    std::string_view marker = kHttps;
    if (!t.starts_with(kHttps)) {
        marker = kHttp;
        if (FindText(t, kHttp) == -1) t.insert(0, kHttp);
    }
    return TextBetween(t, marker, "/");
}

}  // namespace

bool IsHttpsUrl(std::string_view url) { return ToLower(LeftText(url, 5)) == "https"; }

Text UrlHost(std::string_view url) {
    Text authority = UrlAuthority(url);
    const int colon = FindText(authority, ":");
    if (colon == -1) return authority;
    return LeftText(authority, colon - 1);
}

int UrlPort(std::string_view url) {
    const Text authority = UrlAuthority(url);
    const int colon = FindTextReverse(authority, ":");
    if (colon != -1) return ToInteger(RightText(authority, TextLength(authority) - colon));
    return IsHttpsUrl(url) ? 443 : 80;
}

Text UrlPath(std::string_view url) {
    const int a = FindText(url, UrlHost(url), 1, true);
    const int b = FindText(url, "/", a, true);
    if (b <= 0) return "/";
    return RightText(url, TextLength(url) - b + 1);
}

}  // namespace roomdesk
