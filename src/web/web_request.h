// The one HTTP exchange of the system: a request to the site, run
// synchronously on the caller's thread, with the fixed request headers and the
// process-wide cookie store.
#pragma once

#include <optional>
#include <string_view>

#include "text/text_ops.h"
#include "web/request_headers.h"

namespace roomdesk {

struct WebRequestArgs {
    Text url;
    int method = kGet;  // any value but kPost and kHead is taken as kGet
    Text formText;      // the body of a POST or HEAD when bodyBytes is empty
    // In and out. Present (even empty): the cookie store is neither read nor
    // written, exactly this text is sent as the Cookie header, and on return it
    // holds the merge of itself and the cookies the response set.
    std::optional<Text> cookies;
    // In and out: header lines separated by CR LF; on return the header text as sent.
    Text extraHeaders;
    bool noRedirect = false;
    // In and out: the body of a POST or HEAD; when empty it is filled from formText.
    Bytes bodyBytes;
    // A proxy address; empty for a direct connection.
    Text proxy;
};

enum class WebFailure {
    kNone,
    kNotSent,       // no request went out: a bad URL, the abort switch, no memory
    kNoConnection,  // the host could not be resolved or reached
    kTimedOut,
    kDropped,   // the connection failed or closed before the response was complete
    kTooLarge,  // the body passed the size limit
    kAborted,   // AbortAllTransfers() ended the transfer
    kOther,     // any other failure of the exchange (TLS, redirects, ...)
};

struct WebResponse {
    Bytes body;  // every byte as received; empty when the exchange failed
    // The status line and header lines of the last response (the one after the
    // last redirect followed), each followed by CR LF, and an empty line; every
    // "Set-Cookie" in any letter case spelled "Set-Cookie".
    Text rawHeaders;
    Text newCookies;                // name=value of each Set-Cookie line, joined by "; "
    std::optional<int> httpStatus;  // the status of the last response, when one arrived
    WebFailure failureKind = WebFailure::kNone;
    Text failure;  // empty for a complete exchange; otherwise what went wrong

    // An HTTP response arrived and was read in full.
    bool Answered() const { return httpStatus.has_value() && failureKind == WebFailure::kNone; }
};

WebResponse WebRequest(WebRequestArgs& args);
// The form every caller of the system uses: no cookies of its own, no extra
// headers, redirects followed, a direct connection.
WebResponse WebRequest(std::string_view url, int method = kGet, std::string_view formText = {});

}  // namespace roomdesk
