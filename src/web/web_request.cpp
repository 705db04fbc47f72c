#include "web/web_request.h"

#include <curl/curl.h>

#include <vector>

#include "text/encoding.h"
#include "web/cookie_merge.h"
#include "web/curl_handles.h"
#include "web/curl_transfer.h"
#include "web/response_headers.h"
#include "web/web_session.h"

namespace roomdesk {

namespace {

constexpr long kMaxRedirects = 10;
// Only the web's own schemes, for the URL and for every redirect.
constexpr char kProtocols[] = "http,https";

// What the callbacks collect of the response currently arriving.
struct Received {
    Bytes body;
    std::vector<Text> headerLines;  // status line first, without line ends
    std::size_t maxBodyBytes = 0;
    bool overLimit = false;
    // A HEAD with a body goes out as a custom request, for which libcurl would
    // wait for the body that a HEAD reply announces but never sends; the
    // exchange ends with the header block of the first final response instead.
    bool endWithHeaders = false;
    bool headersEnded = false;
};

// The text after the first space: the status code and reason of a status line.
std::string_view TextAfterSpace(std::string_view line) {
    const std::size_t space = line.find(' ');
    return space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
}

// libcurl hands over one whole header line per call. A status line starts a
// new response (after a redirect or a proxy's CONNECT reply), so what came
// before it is forgotten.
std::size_t OnHeaderLine(char* data, std::size_t size, std::size_t count, void* user) {
    auto& received = *static_cast<Received*>(user);
    std::string_view line(data, size * count);
    while (line.ends_with('\n') || line.ends_with('\r')) line.remove_suffix(1);
    if (line.starts_with("HTTP/")) {
        received.headerLines.clear();
        received.body.clear();
    }
    if (!line.empty()) {
        received.headerLines.emplace_back(line);
    } else if (received.endWithHeaders && !received.headerLines.empty() &&
               ToInteger(TextAfterSpace(received.headerLines.front())) >= 200) {
        received.headersEnded = true;
        return 0;  // ends the transfer
    }
    return size * count;
}

std::size_t OnBodyBytes(char* data, std::size_t size, std::size_t count, void* user) {
    auto& received = *static_cast<Received*>(user);
    const std::size_t length = size * count;
    if (received.body.size() + length > received.maxBodyBytes) {
        received.overLimit = true;
        return 0;  // ends the transfer
    }
    received.body.append(data, length);
    return length;
}

// The header text as received: every line followed by CR LF, then an empty line.
Text JoinHeaderLines(const std::vector<Text>& lines) {
    if (lines.empty()) return {};
    Text joined;
    for (const Text& line : lines) {
        joined += line;
        joined += "\r\n";
    }
    return joined + "\r\n";
}

// libcurl leaves out a custom header written "Name:" with nothing after the
// colon; written "Name;" it sends the line "Name:".
Text CurlHeaderLine(const Text& line) {
    const std::size_t colon = line.find(':');
    if (colon == Text::npos || line.find_first_not_of(" \t", colon + 1) != Text::npos) return line;
    return line.substr(0, colon) + ';';
}

// The lines of the header text as libcurl's list, plus an empty "Expect:" so
// that a large body goes out with the headers instead of after a
// "100-continue". libcurl's own "Accept: */*" never goes out: the header text
// always holds an "Accept:" line, which takes its place.
bool BuildHeaderList(std::string_view headerText, HeaderList& list) {
    for (const Text& line : SplitText(headerText, "\r\n")) {
        if (line.empty()) continue;
        if (!AppendHeader(list, CurlHeaderLine(line).c_str())) return false;
    }
    return AppendHeader(list, "Expect:");
}

// The agent as libcurl's User-Agent value: up to the first line end, so that a
// header text that names the agent oddly cannot add header lines through it.
Text AgentValue(const Text& agent) { return agent.substr(0, agent.find_first_of("\r\n")); }

void SetMethodAndBody(CURL* easy, HttpMethod method, const Bytes& body, Received& received) {
    if (method == kGet) return;  // a fresh handle sends GET without a body
    if (method == kHead && body.empty()) {
        curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);  // libcurl's own HEAD
        return;
    }
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(easy, CURLOPT_POSTFIELDS, body.data());
    // libcurl's HEAD never sends a body, so a HEAD with one goes out as a POST
    // under the verb HEAD (see Received::endWithHeaders).
    if (method == kHead) {
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, "HEAD");
        received.endWithHeaders = true;
    }
}

struct FailureText {
    WebFailure kind;
    std::string_view what;
};

FailureText Classify(CURLcode code, const Received& received, bool answered, bool tunnelRefused) {
    if (code == CURLE_WRITE_ERROR && received.headersEnded) code = CURLE_OK;
    if (code != CURLE_OK && tunnelRefused) return {WebFailure::kNoConnection, "the proxy refused"};
    switch (code) {
        case CURLE_OK:
            return {WebFailure::kNone, {}};
        case CURLE_URL_MALFORMAT:
        case CURLE_UNSUPPORTED_PROTOCOL:
        case CURLE_FAILED_INIT:
        case CURLE_OUT_OF_MEMORY:
            if (!answered) return {WebFailure::kNotSent, "the request could not be sent"};
            break;
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
        case CURLE_COULDNT_CONNECT:
        case CURLE_PROXY:
            return {WebFailure::kNoConnection, "no connection to the site"};
        case CURLE_OPERATION_TIMEDOUT:
            return {WebFailure::kTimedOut, "the site did not answer in time"};
        case CURLE_GOT_NOTHING:
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
        case CURLE_PARTIAL_FILE:
            return {WebFailure::kDropped, "the connection broke before the response was complete"};
        case CURLE_FILESIZE_EXCEEDED:
            return {WebFailure::kTooLarge, "the response body is over the size limit"};
        case CURLE_WRITE_ERROR:
            if (received.overLimit) {
                return {WebFailure::kTooLarge, "the response body is over the size limit"};
            }
            break;
        case CURLE_ABORTED_BY_CALLBACK:
            return {WebFailure::kAborted, "the transfer was aborted"};
        default:
            break;
    }
    return {WebFailure::kOther, "the exchange failed"};
}

WebResponse Failed(WebFailure kind, std::string_view what) {
    WebResponse response;
    response.failureKind = kind;
    response.failure = Text(what);
    return response;
}

// Where the request goes, how long it may take and whether its connection may
// serve later requests.
void SetRoute(CURL* easy, const Text& url, bool noRedirect, const Text& proxy,
              const WebSettings& settings) {
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, kProtocols);
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, kProtocols);
    // libcurl follows a POST answered with 301, 302 or 303 with a GET without
    // the body, as browsers do; 307 and 308 repeat the POST.
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, noRedirect ? 0L : 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    // An empty proxy means a direct connection; the proxy variables of the
    // environment are never looked at.
    curl_easy_setopt(easy, CURLOPT_PROXY, proxy.c_str());
    curl_easy_setopt(easy, CURLOPT_NOPROXY, "");
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(settings.connectTimeout.count()));
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(settings.totalTimeout.count()));
    if (!settings.reuseConnections) {
        curl_easy_setopt(easy, CURLOPT_FRESH_CONNECT, 1L);
        curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
    }
}

void SetReceiver(CURL* easy, Received& received, char* error) {
    // A body over the limit announced by Content-Length fails before it comes;
    // one of unannounced length fails in OnBodyBytes.
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE,
                     static_cast<curl_off_t>(received.maxBodyBytes));
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeaderLine);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &received);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBodyBytes);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &received);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, error);
}

}  // namespace

WebResponse WebRequest(WebRequestArgs& args) {
    InitWeb();
    if (TransfersAborted()) return Failed(WebFailure::kAborted, "the transfer was aborted");
    const WebSettings settings = CurrentWebSettings();
    const HttpMethod method = EffectiveMethod(args.method);
    const Text agent = AgentValue(UserAgentFrom(args.extraHeaders));
    const Text headerText = BuildHeaderText(args.extraHeaders, args.url, args.cookies);
    Bytes body = args.bodyBytes;
    if (method != kGet && body.empty()) body = TextToBytes(args.formText);
    CURLSH* const store = args.cookies ? nullptr : CookieStoreShare();

    // Declared before the handle, which refers to them until it is cleaned up.
    HeaderList headers;
    Received received;
    received.maxBodyBytes = settings.maxBodyBytes;
    char error[CURL_ERROR_SIZE] = "";
    EasyHandle easy(curl_easy_init());
    if (!easy || !BuildHeaderList(headerText, headers) || (!args.cookies && store == nullptr)) {
        return Failed(WebFailure::kNotSent, "the request could not be prepared");
    }
    SetRoute(easy.get(), args.url, args.noRedirect,
             ProxyForUrl(ProxyText(args.url, args.proxy), args.url), settings);
    SetReceiver(easy.get(), received, error);
    curl_easy_setopt(easy.get(), CURLOPT_USERAGENT, agent.c_str());
    curl_easy_setopt(easy.get(), CURLOPT_HTTPHEADER, headers.get());
    SetMethodAndBody(easy.get(), method, body, received);
    // With a cookie text of the caller's own, the handle stays away from the
    // store and its cookie engine stays off: only the Cookie line of the header
    // text goes out, and the cookies received are left to MergeCookies.
    if (store != nullptr) {
        curl_easy_setopt(easy.get(), CURLOPT_SHARE, store);
        curl_easy_setopt(easy.get(), CURLOPT_COOKIEFILE, "");  // the engine, over the store
    }

    const CURLcode code = PerformTransfer(easy.get());
    long status = 0;
    long tunnelStatus = 0;  // the proxy's answer to the CONNECT of an https URL
    curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &status);
    curl_easy_getinfo(easy.get(), CURLINFO_HTTP_CONNECTCODE, &tunnelStatus);
    const FailureText failure = Classify(code, received, status > 0, tunnelStatus >= 300);
    WebResponse response;
    if (failure.kind != WebFailure::kNotSent) {
        args.extraHeaders = headerText;
        if (method != kGet) args.bodyBytes = std::move(body);
        if (failure.kind == WebFailure::kNone) response.body = std::move(received.body);
        response.rawHeaders = SpellSetCookie(JoinHeaderLines(received.headerLines));
        response.newCookies = CookiesSetBy(response.rawHeaders);
        if (args.cookies) MergeCookies(*args.cookies, response.newCookies);
    }
    if (status > 0) response.httpStatus = static_cast<int>(status);
    response.failureKind = failure.kind;
    if (failure.kind != WebFailure::kNone) {
        response.failure =
            Text(failure.what) + ": " + (error[0] ? error : curl_easy_strerror(code));
    }
    return response;
}

WebResponse WebRequest(std::string_view url, int method, std::string_view formText) {
    WebRequestArgs args;
    args.url = Text(url);
    args.method = method;
    args.formText = Text(formText);
    return WebRequest(args);
}

}  // namespace roomdesk
