#pragma once

#include <map>
#include <mutex>
#include <random>
#include <string>

#include "site/site_codec.h"
#include "site/site_data.h"

namespace roomdesk::site {

// A request as the site's logic sees it.
struct Incoming {
    std::string target;  // path and query as received
    std::string body;
    NameValues cookies;  // from the Cookie header(s)
};

// A reply before it goes on the wire. `headers` are sent in order, names spelled as given.
struct Reply {
    int status = 200;
    std::string contentType = "text/html; charset=utf-8";
    NameValues headers;
    std::string body;
};

// The site's data and its visitors: per visitor cookie a captcha; per login cookie a session
// with its account and grant token. Every member function is thread-safe.
class SiteState {
public:
    explicit SiteState(SiteData data);

    // Answers one request; a request without a known visitor cookie gets a new one.
    Reply Serve(const Incoming& request);

    std::string LastCaptcha() const;
    std::string CaptchaOf(const NameValues& cookies) const;  // of the visitor these name

    void SetToday(std::string yyyyMmDd);
    std::string Today() const;
    SiteData Data() const;
    void SetData(SiteData data);
    void AddGift(Gift gift);
    void SetPage(std::string pathAndQuery, std::string body);
    void ClearPages();

private:
    struct Session {
        std::string account;
        std::string grantToken;
    };

    Reply Route(const Incoming& request, const std::string& visitor);
    Reply Captcha(const std::string& visitor);
    Reply Login(const Incoming& request, const std::string& visitor);
    Reply Member(const Incoming& request, Session& session);
    Reply RoomPage(Session& session);
    Reply Profit(const std::string& query);
    Reply AddAdmin(const Incoming& request, const Session& session);
    Reply Roster(const std::string& query);
    Reply RemoveAdmin(const std::string& query);
    std::string TodayLocked() const;
    std::string RandomHex(int bytes);

    mutable std::mutex mutex_;
    SiteData data_;
    std::string today_;  // empty: the local date
    std::map<std::string, std::string> captchaOfVisitor_;
    std::map<std::string, Session> sessions_;  // by login cookie
    std::map<std::string, std::string> pages_;
    std::string lastCaptcha_;
    std::mt19937 random_;
};

}  // namespace roomdesk::site
