#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "site/site_data.h"

namespace roomdesk::site {

// One request as it reached the site.
struct RecordedRequest {
    std::string method;
    std::string target;  // path and query as received, not decoded
    std::string
        rawHead;  // request line and header lines, byte for byte, with the closing CR LF CR LF
    std::vector<std::pair<std::string, std::string>> headers;  // from rawHead: order and case kept
    std::string body;

    // The value of the first header of that name (letter case ignored); empty when there is none.
    std::string Header(const std::string& name) const;
};

// A fault applied to the next `times` requests whose target starts with `pathPrefix`.
// The first matching fault with times left applies. Order of effects: the delay; then a
// `status` (with a short error page) or an `oversizeBytes` filler body replaces the page, and
// the page's handler does not run, so nothing changes on the site; otherwise the page is made
// as usual (its state changes happen). Of the body that results, `truncateBody` sends the first
// half as a complete reply (not with a filler), and `dropMidBody` announces the full
// Content-Length, sends half the body and closes the connection.
struct Fault {
    std::string pathPrefix{};  // compared with the target (path and query); empty: every request
    int delayMs = 0;
    bool dropMidBody = false;
    int status = 0;  // e.g. 500; 0: the page's own status
    bool truncateBody = false;
    std::size_t oversizeBytes = 0;  // > 0: a 200 reply with a filler body of this many bytes
    int times = -1;                 // requests it applies to; -1: every one
};

// The live-streaming site's stand-in: an HTTP server on its own threads serving the endpoints
// the program uses, with per-visitor captcha, login and grant token. Thread-safe.
class StandInSite {
public:
    explicit StandInSite(SiteData data);
    ~StandInSite();  // stops
    StandInSite(const StandInSite&) = delete;
    StandInSite& operator=(const StandInSite&) = delete;

    // Binds and starts serving; port 0 picks a free port. Gives the bound port, -1 on failure.
    int Start(const std::string& host = "127.0.0.1", int port = 0);
    void Stop();
    int Port() const;
    std::string BaseUrl() const;  // "http://127.0.0.1:<port>"

    // Every GET, HEAD and POST in arrival order, faulted ones included, except those of the test
    // endpoints while they are enabled.
    std::vector<RecordedRequest> Requests() const;
    void ClearRequests();

    void AddFault(Fault fault);
    void ClearFaults();

    std::string CaptchaDigits() const;    // the digits of the most recent captcha drawn
    void SetToday(std::string yyyyMmDd);  // "today" of the plain profit page; default: local date
    std::string Today() const;

    SiteData Data() const;  // current state: grants and removals change it
    void SetData(SiteData data);
    void AddGift(Gift gift);

    // Serves `body` (text/html, status 200) for exactly this path and query to every visitor.
    void SetPage(std::string pathAndQuery, std::string body);
    void ClearPages();

    // The control endpoints under "/__test/" (off by default):
    //   GET  /__test/captcha          the captcha digits of the requesting visitor (text)
    //   GET  /__test/requests         the request log as JSON; POST /__test/requests/clear
    //   POST /__test/faults           adds the fault given as JSON (the Fault field names)
    //   POST /__test/faults/clear
    void EnableTestEndpoints(bool on);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The base address of a loopback port where nothing listens (a site's port, given up again), for
// tests of a site that cannot be reached.
std::string ClosedSiteAddress();

// Today's local date, YYYY-MM-DD.
std::string LocalDate();

}  // namespace roomdesk::site
