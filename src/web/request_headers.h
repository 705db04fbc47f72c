// The request side of the web request that is plain text work: the method, the
// user agent, the header text and the proxy text.
#pragma once

#include <optional>
#include <string_view>

#include "text/text_ops.h"

namespace roomdesk {

enum HttpMethod : int { kGet = 0, kPost = 1, kHead = 2 };

inline constexpr std::string_view kDefaultUserAgent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// `method` when it is one of the three methods, else kGet.
HttpMethod EffectiveMethod(int method);
std::string_view MethodVerb(HttpMethod method);

// The user agent named in the caller's header text: the trimmed text between
// "User-Agent:" and the next CR LF (letter case kept); when that is empty but
// the text names the header in any letter case, the trimmed text after the
// first colon of the whole header text; kDefaultUserAgent when the text does
// not name the header at all.
Text UserAgentFrom(std::string_view extraHeaders);

// The header text as sent: the caller's `extraHeaders` followed by, in this
// order and each only when the text does not already hold its name (letter
// case kept), "Accept: */*", "Referer: " and the URL, "Accept-Language: zh-cn"
// and "Content-Type: application/x-www-form-urlencoded"; then "Cookie: " and
// `cookies` when that is present and not empty. Lines are CR LF separated,
// without a final CR LF.
Text BuildHeaderText(std::string_view extraHeaders, std::string_view url,
                     const std::optional<Text>& cookies);

// The proxy text in the form of the classic Windows HTTP client: for an https
// URL the proxy as given (every scheme through it), for any other URL "http="
// and the proxy (only plain HTTP through it); empty for a direct connection.
Text ProxyText(std::string_view url, std::string_view proxy);

// The proxy a request to `url` goes through under a proxy text of ProxyText's
// form: the whole text when it names no scheme, the address after "http=" for
// an http URL (and none for an https URL); empty means direct.
Text ProxyForUrl(std::string_view proxyText, std::string_view url);

}  // namespace roomdesk
