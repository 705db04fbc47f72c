#include "site/site_state.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "site/captcha_png.h"
#include "site/site_calendar.h"
#include "site/site_pages.h"

namespace roomdesk::site {

namespace {

constexpr const char* kJson = "application/json; charset=utf-8";
constexpr const char* kVisitorCookie = "visitor";
constexpr const char* kLoginCookie = "sid";

// The grant replies the program looks for.
constexpr const char* kBadRequest = "非法请求";
constexpr const char* kEmptyAccount = "账号不能为空";
constexpr const char* kNoSuchMember = "没有找到该会员";
constexpr const char* kAlreadyAdmin = "已经是您房间的房管了";

Reply JsonReply(int code, const std::string& message) {
    Reply reply;
    reply.contentType = kJson;
    reply.body =
        "{\"code\":" + std::to_string(code) + ",\"msg\":" + JsonEscapedString(message) + "}";
    return reply;
}

Reply HtmlReply(std::string body) {
    Reply reply;
    reply.body = std::move(body);
    return reply;
}

Reply NotFound() {
    Reply reply;
    reply.status = 404;
    reply.body = "<!DOCTYPE html>\r\n<html><body><h1>404 Not Found</h1></body></html>\r\n";
    return reply;
}

// A positive page number, 1 when the text is none.
int PageNumber(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value > 0 ? value : 1;
}

void SplitTarget(const std::string& target, std::string& path, std::string& query) {
    const auto mark = target.find('?');
    path = target.substr(0, mark);
    query = mark == std::string::npos ? std::string() : target.substr(mark + 1);
}

}  // namespace

SiteState::SiteState(SiteData data) : data_(std::move(data)), random_(std::random_device{}()) {}

std::string SiteState::RandomHex(int bytes) {
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    for (int i = 0; i < bytes; ++i) {
        const auto byte = random_() & 0xFF;
        text += kHex[byte >> 4];
        text += kHex[byte & 0xF];
    }
    return text;
}

Reply SiteState::Serve(const Incoming& request) {
    std::lock_guard lock(mutex_);
    std::string visitor = ValueOf(request.cookies, kVisitorCookie);
    bool fresh = false;
    if (visitor.empty() || !captchaOfVisitor_.count(visitor)) {
        visitor = RandomHex(12);
        captchaOfVisitor_[visitor];
        fresh = true;
    }
    Reply reply = Route(request, visitor);
    if (fresh) {
        reply.headers.insert(reply.headers.begin(), {"Set-Cookie", std::string(kVisitorCookie) +
                                                                       "=" + visitor + "; path=/"});
    }
    return reply;
}

Reply SiteState::Route(const Incoming& request, const std::string& visitor) {
    if (const auto page = pages_.find(request.target); page != pages_.end()) {
        return HtmlReply(page->second);
    }
    std::string path, query;
    SplitTarget(request.target, path, query);
    if (path == "/member/login/captcha") return Captcha(visitor);
    if (path == "/member/login/ajax") return Login(request, visitor);

    const bool member = path == "/" || path == "/room/my" || path.rfind("/room/my/", 0) == 0;
    if (!member) return NotFound();
    const auto session = sessions_.find(ValueOf(request.cookies, kLoginCookie));
    if (session == sessions_.end()) return HtmlReply(LoginPage());
    return Member(request, session->second);
}

Reply SiteState::Member(const Incoming& request, Session& session) {
    std::string path, query;
    SplitTarget(request.target, path, query);
    if (path == "/" || path == "/room/my" || path == "/room/my/") return RoomPage(session);
    if (path == "/room/my/profit") return Profit(query);
    if (path == "/room/my/add_admin") return AddAdmin(request, session);
    if (path == "/room/my/room_admin") return Roster(query);
    if (path == "/room/my/del_admin") return RemoveAdmin(query);
    return NotFound();
}

Reply SiteState::Captcha(const std::string& visitor) {
    std::string digits;
    for (int i = 0; i < 4; ++i) digits += static_cast<char>('0' + random_() % 10);
    captchaOfVisitor_[visitor] = digits;
    lastCaptcha_ = digits;
    Reply reply;
    reply.contentType = "image/png";
    reply.headers = {{"Cache-Control", "no-cache"}};
    reply.body = DrawCaptchaPng(digits, random_);
    return reply;
}

// Each attempt spends the visitor's captcha: the next one needs a fresh picture.
Reply SiteState::Login(const Incoming& request, const std::string& visitor) {
    const NameValues form = ParseForm(request.body);
    const std::string expected = std::exchange(captchaOfVisitor_[visitor], std::string());
    if (expected.empty() || ValueOf(form, "captcha_word") != expected) {
        return JsonReply(-99, "验证码错误");
    }
    const std::string nickname = ValueOf(form, "username");
    const auto account = std::find_if(data_.accounts.begin(), data_.accounts.end(),
                                      [&](const Account& a) { return a.nickname == nickname; });
    if (account == data_.accounts.end()) return JsonReply(-5, "用户不存在");
    if (account->password != ValueOf(form, "password")) return JsonReply(-3, "密码错误");

    const std::string sid = RandomHex(16);
    sessions_[sid] = Session{nickname, {}};
    Reply reply = JsonReply(0, "登录成功");
    reply.headers.emplace_back("Set-Cookie",
                               std::string(kLoginCookie) + "=" + sid + "; path=/; HttpOnly");
    return reply;
}

// Sets the grant token in the cookie "ccn", among others, one of them with a lower-case
// header name, and a look-alike "xccn" after it.
Reply SiteState::RoomPage(Session& session) {
    session.grantToken = RandomHex(16);
    Reply reply = HtmlReply(site::RoomPage(session.account));
    reply.headers.emplace_back("Set-Cookie", "a_pref=1; path=/");
    reply.headers.emplace_back("Set-Cookie", "ccn=" + session.grantToken + "; path=/");
    reply.headers.emplace_back("set-cookie", "xccn=zzz; path=/");
    reply.headers.emplace_back("Set-Cookie", "last=1");
    return reply;
}

Reply SiteState::Profit(const std::string& query) {
    const NameValues keys = ParseForm(query);
    ProfitQuery shown;
    shown.time1 = ValueOf(keys, "time1");
    if (!IsDate(shown.time1)) shown.time1 = TodayLocked();
    shown.time2 = ValueOf(keys, "time2");
    if (!IsDate(shown.time2)) shown.time2 = shown.time1;
    shown.seltype = PageNumber(ValueOf(keys, "seltype"));
    if (shown.seltype > 4) shown.seltype = 1;
    shown.page = PageNumber(ValueOf(keys, "page"));
    const DateRange days = *PeriodDays(shown.seltype, shown.time1, shown.time2);

    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < data_.gifts.size(); ++i) {
        if (days.Holds(data_.gifts[i].date)) order.push_back(i);
    }
    // Newest first; of two gifts at the same second, the one recorded later.
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const Gift& x = data_.gifts[a];
        const Gift& y = data_.gifts[b];
        if (x.date != y.date) return x.date > y.date;
        if (x.time != y.time) return x.time > y.time;
        return a > b;
    });
    std::vector<Gift> gifts;
    for (const auto i : order) gifts.push_back(data_.gifts[i]);
    return HtmlReply(ProfitPage(gifts, shown));
}

Reply SiteState::AddAdmin(const Incoming& request, const Session& session) {
    const NameValues form = ParseForm(request.body);
    const std::string token = ValueOf(form, "ctn");
    if (token.empty() || token != session.grantToken) return HtmlReply(kBadRequest);
    const std::string nickname = ValueOf(form, "nickname");
    if (nickname.empty()) return HtmlReply(kEmptyAccount);
    if (!data_.IsMember(nickname)) return HtmlReply(kNoSuchMember);
    auto& admins = data_.administrators;
    if (std::any_of(admins.begin(), admins.end(),
                    [&](const Administrator& a) { return a.nickname == nickname; })) {
        return HtmlReply(nickname + kAlreadyAdmin);
    }
    long long uid = 10000;
    for (const auto& a : admins) {
        long long value = 0;
        const auto [end, error] = std::from_chars(a.uid.data(), a.uid.data() + a.uid.size(), value);
        if (error == std::errc() && end == a.uid.data() + a.uid.size()) uid = std::max(uid, value);
    }
    admins.push_back({std::to_string(uid + 1), nickname, LocalDateTimeText()});
    return HtmlReply("");
}

Reply SiteState::Roster(const std::string& query) {
    return HtmlReply(
        RosterPage(data_.administrators, PageNumber(ValueOf(ParseForm(query), "page"))));
}

Reply SiteState::RemoveAdmin(const std::string& query) {
    const std::string uid = ValueOf(ParseForm(query), "del_uid");
    auto& admins = data_.administrators;
    const auto admin = std::find_if(admins.begin(), admins.end(),
                                    [&](const Administrator& a) { return a.uid == uid; });
    if (uid.empty() || admin == admins.end()) return JsonReply(-1, "该房管不存在");
    admins.erase(admin);
    return JsonReply(0, "删除成功");
}

std::string SiteState::TodayLocked() const { return today_.empty() ? LocalDateText() : today_; }

std::string SiteState::LastCaptcha() const {
    std::lock_guard lock(mutex_);
    return lastCaptcha_;
}

std::string SiteState::CaptchaOf(const NameValues& cookies) const {
    std::lock_guard lock(mutex_);
    const auto found = captchaOfVisitor_.find(ValueOf(cookies, kVisitorCookie));
    return found == captchaOfVisitor_.end() ? std::string() : found->second;
}

void SiteState::SetToday(std::string yyyyMmDd) {
    std::lock_guard lock(mutex_);
    today_ = std::move(yyyyMmDd);
}

std::string SiteState::Today() const {
    std::lock_guard lock(mutex_);
    return TodayLocked();
}

SiteData SiteState::Data() const {
    std::lock_guard lock(mutex_);
    return data_;
}

void SiteState::SetData(SiteData data) {
    std::lock_guard lock(mutex_);
    data_ = std::move(data);
}

void SiteState::AddGift(Gift gift) {
    std::lock_guard lock(mutex_);
    data_.gifts.push_back(std::move(gift));
}

void SiteState::SetPage(std::string pathAndQuery, std::string body) {
    std::lock_guard lock(mutex_);
    pages_[std::move(pathAndQuery)] = std::move(body);
}

void SiteState::ClearPages() {
    std::lock_guard lock(mutex_);
    pages_.clear();
}

}  // namespace roomdesk::site
