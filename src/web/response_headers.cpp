#include "web/response_headers.h"

namespace roomdesk {

namespace {

constexpr std::string_view kSetCookie = "Set-Cookie";

}  // namespace

Text SpellSetCookie(std::string_view rawHeaders) {
    return ReplaceText(rawHeaders, kSetCookie, kSetCookie, false);
}

Text CookiesSetBy(std::string_view rawHeaders) {
    Text cookies;
    for (const Text& line : SplitText(rawHeaders, "\r\n")) {
        if (FindText(line, kSetCookie) == -1) continue;
        if (FindText(line, ";") != -1) {
            cookies += TrimText(TextBetween(line, "Set-Cookie:", ";"));
        } else {
            cookies += TrimText(ReplaceText(line, "Set-Cookie:", "", false));
        }
        cookies += "; ";
    }
    return LeftText(cookies, TextLength(cookies) - 2);
}

}  // namespace roomdesk
