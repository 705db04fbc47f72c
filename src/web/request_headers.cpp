#include "web/request_headers.h"

#include "web/url_parts.h"

namespace roomdesk {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kHttpOnlyPrefix = "http=";

// Appends `line` to the header text unless the text already holds `name`.
void AddUnlessNamed(Text& headers, std::string_view name, std::string_view line) {
    if (FindText(headers, name) != -1) return;
    if (!headers.empty()) headers += kCrLf;
    headers += line;
}

}  // namespace

HttpMethod EffectiveMethod(int method) {
    switch (method) {
        case kPost:
            return kPost;
        case kHead:
            return kHead;
        default:
            return kGet;
    }
}

std::string_view MethodVerb(HttpMethod method) {
    switch (method) {
        case kPost:
            return "POST";
        case kHead:
            return "HEAD";
        case kGet:
            break;
    }
    return "GET";
}

Text UserAgentFrom(std::string_view extraHeaders) {
    if (FindText(extraHeaders, "User-Agent:", std::nullopt, true) == -1) {
        return Text(kDefaultUserAgent);
    }
    Text agent = TrimText(TextBetween(extraHeaders, "User-Agent:", kCrLf));
    if (agent.empty()) agent = TextAfterColon(extraHeaders);
    return agent;
}

Text BuildHeaderText(std::string_view extraHeaders, std::string_view url,
                     const std::optional<Text>& cookies) {
    Text headers(extraHeaders);
    AddUnlessNamed(headers, "Accept:", "Accept: */*");
    AddUnlessNamed(headers, "Referer:", Text("Referer: ") + Text(url));
    AddUnlessNamed(headers, "Accept-Language:", "Accept-Language: zh-cn");
    AddUnlessNamed(headers, "Content-Type:", "Content-Type: application/x-www-form-urlencoded");
    if (cookies && !cookies->empty()) {
        headers += kCrLf;
        headers += "Cookie: ";
        headers += *cookies;
    }
    return headers;
}

Text ProxyText(std::string_view url, std::string_view proxy) {
    if (proxy.empty() || IsHttpsUrl(url)) return Text(proxy);
    return Text(kHttpOnlyPrefix) + Text(proxy);
}

Text ProxyForUrl(std::string_view proxyText, std::string_view url) {
    if (!proxyText.starts_with(kHttpOnlyPrefix)) return Text(proxyText);
    if (IsHttpsUrl(url)) return {};
    return Text(proxyText.substr(kHttpOnlyPrefix.size()));
}

}  // namespace roomdesk
