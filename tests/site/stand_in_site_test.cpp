#include "site/stand_in_site.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>

#include "site_test_support.h"

namespace roomdesk::site {
namespace {

using testing::Browser;
using testing::CountOf;
using testing::EncodeEveryByte;

constexpr const char* kDay = "2026-12-09";  // a Wednesday

// The program's gift-row pattern (77 bytes) and its roster-row pattern without the year.
const std::string kGiftRow =
    "<td class=\"org\">100</td>\r\n                <td>(.*?)</td>\r\n              </tr>";
const std::string kRosterRow =
    "<td >(.*?)</td>\r\n    <td >(.*?)</td>\r\n     <td><a href=\"/room/my/del_admin/(.*?)\"";

std::vector<std::vector<std::string>> Matches(const std::string& page, const std::string& pattern) {
    const std::regex re(pattern, std::regex::icase);
    std::vector<std::vector<std::string>> all;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), re); it != std::sregex_iterator();
         ++it) {
        std::vector<std::string> groups;
        for (std::size_t g = 1; g < it->size(); ++g) groups.push_back((*it)[g].str());
        all.push_back(groups);
    }
    return all;
}

// The number between "共 " and " 页", as the program reads it; -1 without the markers.
int PagerCount(const std::string& page) {
    const auto start = page.find("共 ");
    if (start == std::string::npos) return -1;
    const auto end = page.find(" 页", start);
    if (end == std::string::npos) return -1;
    return std::stoi(page.substr(start + 4, end - start - 4));
}

std::string Clock(int second) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "10:%02d:%02d", second / 60, second % 60);
    return buffer;
}

// Day kDay: 23 gifts of 100 (the first three by "Tom&Jerry", "A😀", "小明", then v04..v23, each
// later than the one before) and three older ones of 10, 200 and 1000; a few gifts on days
// around it that only some periods hold.
SiteData RoomData() {
    SiteData data;
    data.accounts = {{"demo", "demo123"}, {"房主", "p&ss=1%"}};
    const char* const firstNames[] = {"Tom&Jerry", "A😀", "小明"};
    for (int i = 1; i <= 23; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "v%02d", i);
        data.gifts.push_back({i <= 3 ? firstNames[i - 1] : name, kDay, Clock(i), 100});
    }
    data.gifts.push_back({"small", kDay, "09:00:03", 10});
    data.gifts.push_back({"big", kDay, "09:00:02", 200});
    data.gifts.push_back({"huge", kDay, "09:00:01", 1000});
    data.gifts.push_back({"sunday", "2026-12-06", "12:00:00", 100});
    data.gifts.push_back({"nextweek", "2026-12-14", "12:00:00", 100});
    data.gifts.push_back({"november", "2026-11-30", "12:00:00", 100});
    data.gifts.push_back({"september", "2026-09-30", "12:00:00", 100});
    data.gifts.push_back({"newyear", "2027-01-01", "12:00:00", 100});
    const char* const years[] = {"2014", "2015", "2016", "2025", "2026"};
    for (int i = 0; i < 25; ++i) {
        std::string appointed = years[i % 5];
        appointed.append("-03-04 05:06:07");
        data.administrators.push_back({std::to_string(20001 + i),
                                       std::string("v").append(std::to_string(10 + i)), appointed});
    }
    return data;
}

class StandInSiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        port_ = site_.Start();
        ASSERT_GT(port_, 0);
        site_.SetToday(kDay);
    }

    // A browser logged in as "demo".
    Browser Owner() {
        Browser browser(port_);
        EXPECT_NE(browser.LogIn(site_, "demo", "demo123").find("\"code\":0"), std::string::npos);
        return browser;
    }

    std::string Body(Browser& browser, const std::string& target) {
        const auto result = browser.Get(target);
        EXPECT_TRUE(result) << target;
        return result ? result->body : std::string();
    }

    StandInSite site_{RoomData()};
    int port_ = -1;
};

TEST_F(StandInSiteTest, CaptchaIsAPngWhoseDigitsTheSiteRemembers) {
    Browser browser(port_);
    const auto first = browser.Get("/member/login/captcha?_t=0.12345678901234567");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->get_header_value("Content-Type"), "image/png");
    EXPECT_EQ(first->body.compare(0, 8, "\x89PNG\r\n\x1A\n"), 0);
    EXPECT_EQ(testing::DecodePng(first->body).width, 120);
    EXPECT_TRUE(std::regex_match(site_.CaptchaDigits(), std::regex("[0-9]{4}")));
    const std::string visitor = browser.Cookie("visitor");
    EXPECT_FALSE(visitor.empty());

    // A visitor who has the cookie is not given another.
    const auto second = browser.Get("/member/login/captcha?_t=0.2");
    ASSERT_TRUE(second);
    EXPECT_FALSE(second->has_header("Set-Cookie"));
    EXPECT_EQ(browser.Cookie("visitor"), visitor);
}

TEST_F(StandInSiteTest, LoginAnswersEachCaseWithItsOwnCode) {
    struct Case {
        const char* what;
        bool fetchCaptcha;
        bool rightCaptcha;
        std::string username, password;
        int code;
    } const cases[] = {
        {"right, all bytes escaped", true, true, EncodeEveryByte("demo"),
         EncodeEveryByte("demo123"), 0},
        {"right, raw values", true, true, "demo", "demo123", 0},
        {"non-ASCII name, & and = in the password", true, true, EncodeEveryByte("房主"),
         EncodeEveryByte("p&ss=1%"), 0},
        {"that password unescaped splits the form", true, true, EncodeEveryByte("房主"), "p&ss=1%",
         -3},
        {"wrong captcha", true, false, "demo", "demo123", -99},
        {"no captcha fetched", false, true, "demo", "demo123", -99},
        {"unknown account", true, true, EncodeEveryByte("nobody"), "x", -5},
        {"wrong password", true, true, "demo", EncodeEveryByte("demo124"), -3},
        {"case matters in the name", true, true, "Demo", "demo123", -5},
    };
    for (const auto& c : cases) {
        Browser browser(port_);
        std::string word = "9999x";
        if (c.fetchCaptcha) {
            browser.Get("/member/login/captcha?_t=0.1");
            if (c.rightCaptcha) word = site_.CaptchaDigits();
        }
        const auto reply = browser.Post("/member/login/ajax",
                                        "login_type=nickname&username=" + c.username +
                                            "&password=" + c.password + "&captcha_word=" + word);
        ASSERT_TRUE(reply) << c.what;
        const std::string& body = reply->body;
        EXPECT_NE(body.find("\"code\":" + std::to_string(c.code) + ","), std::string::npos)
            << c.what << ": " << body;
        EXPECT_EQ(body.find(":0") != std::string::npos, c.code == 0) << c.what << ": " << body;
        for (const char* other : {"-99", "-3", "-5"}) {
            if (std::to_string(c.code) != other) {
                EXPECT_EQ(body.find(other), std::string::npos) << c.what << ": " << body;
            }
        }
        EXPECT_TRUE(std::all_of(body.begin(), body.end(),
                                [](char ch) { return static_cast<unsigned char>(ch) < 0x80; }))
            << c.what << ": every non-ASCII character is \\u-escaped";
        EXPECT_EQ(!browser.Cookie("sid").empty(), c.code == 0) << c.what;
    }
}

TEST_F(StandInSiteTest, EveryLoginAttemptSpendsTheCaptcha) {
    Browser browser(port_);
    browser.Get("/member/login/captcha?_t=0.1");
    const std::string digits = site_.CaptchaDigits();
    const std::string form =
        "login_type=nickname&username=demo&password=wrong&captcha_word=" + digits;
    EXPECT_NE(browser.Post("/member/login/ajax", form)->body.find("-3"), std::string::npos);
    EXPECT_NE(browser.Post("/member/login/ajax", form)->body.find("-99"), std::string::npos);
}

TEST_F(StandInSiteTest, MemberPagesShowAStrangerOnlyTheLoginPage) {
    Browser stranger(port_);
    stranger.Get("/member/login/captcha?_t=0.1");  // a visitor, but not logged in
    for (const char* target : {"/room/my/", "/room/my/profit",
                               "/room/my/profit?time1=2026-12-09&time2=2026-12-09&seltype=2&page=1",
                               "/room/my/room_admin?page=1", "/room/my/del_admin?del_uid=20001"}) {
        const auto reply = stranger.Get(target);
        ASSERT_TRUE(reply) << target;
        EXPECT_EQ(reply->status, 200) << target;
        EXPECT_NE(reply->body.find("login"), std::string::npos) << target;
        EXPECT_EQ(PagerCount(reply->body), -1) << target;
        EXPECT_EQ(reply->body.find("<td class=\"org\">"), std::string::npos) << target;
        EXPECT_EQ(reply->body.find("<td >"), std::string::npos) << target;
        EXPECT_EQ(stranger.Cookie("ccn"), "") << target;
    }
    const auto grant = stranger.Post("/room/my/add_admin", "ctn=&nickname=v01");
    ASSERT_TRUE(grant);
    EXPECT_FALSE(grant->body.empty());
    EXPECT_EQ(site_.Data().administrators.size(), 25u) << "nothing changed";
}

TEST_F(StandInSiteTest, ProfitPagesHoldGiftRowsNewestFirstAndThePager) {
    ASSERT_EQ(kGiftRow.size(), 77u);
    Browser owner = Owner();
    const std::string query = "/room/my/profit?time1=2026-12-09&time2=2026-12-09&seltype=1&page=";

    const std::string first = Body(owner, query + "1");
    EXPECT_EQ(PagerCount(first), 2);
    EXPECT_EQ(CountOf(first, "共 "), 1);
    EXPECT_EQ(CountOf(first, "<td class=\"org\">"), 20);
    const auto rows = Matches(first, kGiftRow);
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(rows.front()[0], "v23");
    EXPECT_EQ(rows.back()[0], "v04");

    const std::string second = Body(owner, query + "2");
    EXPECT_EQ(PagerCount(second), 2);
    EXPECT_EQ(CountOf(second, "<td class=\"org\">"), 6);
    std::vector<std::string> names;
    for (const auto& row : Matches(second, kGiftRow)) names.push_back(row[0]);
    EXPECT_EQ(names, (std::vector<std::string>{"小明", "A😀", "Tom&amp;Jerry"}));
    for (const char* amount : {"10", "200", "1000"}) {
        EXPECT_NE(second.find("<td class=\"org\">" + std::string(amount) +
                              "</td>\r\n                <td>"),
                  std::string::npos)
            << amount << " is shaped like the others";
    }

    const std::string beyond = Body(owner, query + "3");
    EXPECT_EQ(PagerCount(beyond), 2);
    EXPECT_EQ(CountOf(beyond, "<td class=\"org\">"), 0);

    // Without a query: the first day page of the site's today.
    const std::string plain = Body(owner, "/room/my/profit");
    EXPECT_EQ(PagerCount(plain), 2);
    EXPECT_EQ(Matches(plain, kGiftRow), rows);
}

TEST_F(StandInSiteTest, ProfitPeriodsSelectTheirDays) {
    struct Case {
        const char* query;
        int rows;  // gifts of every amount over all pages
    } const cases[] = {
        {"time1=2026-12-09&time2=2026-12-09&seltype=1", 26},
        {"time1=2026-12-06&time2=2026-12-09&seltype=1", 27},
        {"time1=2026-12-10&time2=2026-12-10&seltype=1", 0},
        {"time1=2026-12-13&time2=2026-12-13&seltype=2", 26},  // Sunday: its week began on the 7th
        {"time1=2026-12-06&time2=2026-12-06&seltype=2", 2},   // the week before, into November
        {"time1=2027-01-01&time2=2027-01-01&seltype=2", 1},   // a week across the new year
        {"time1=2026-12-09&time2=2026-12-09&seltype=3", 28},
        {"time1=2026-12-09&time2=2026-12-09&seltype=4", 29},
        {"time1=2026-09-01&time2=2026-09-01&seltype=4", 1},
        {"seltype=2", 26},  // no date: today's week
    };
    Browser owner = Owner();
    for (const auto& c : cases) {
        const std::string base = std::string("/room/my/profit?") + c.query + "&page=";
        const int pages = PagerCount(Body(owner, base + "1"));
        EXPECT_EQ(pages, std::max(1, (c.rows + 19) / 20)) << c.query;
        int rows = 0;
        for (int p = 1; p <= pages; ++p)
            rows += CountOf(Body(owner, base + std::to_string(p)), "<td class=\"org\">");
        EXPECT_EQ(rows, c.rows) << c.query;
    }
}

TEST_F(StandInSiteTest, RoomPageSetsTheGrantTokenAmongOtherCookies) {
    Browser owner = Owner();
    const auto room = owner.Get("/room/my/");
    ASSERT_TRUE(room);
    std::vector<std::string> names;
    const auto range = room->headers.equal_range("Set-Cookie");
    for (auto it = range.first; it != range.second; ++it)
        names.push_back(it->second.substr(0, it->second.find('=')));
    EXPECT_EQ(names, (std::vector<std::string>{"a_pref", "ccn", "xccn", "last"}));
    EXPECT_TRUE(std::regex_match(owner.Cookie("ccn"), std::regex("[0-9a-f]{32}")));

    // One of the header names is written in lower case.
    const std::string raw = testing::SendRaw(
        port_, "GET /room/my/ HTTP/1.1\r\nHost: x\r\nCookie: sid=" + owner.Cookie("sid") +
                   "\r\nConnection: close\r\n\r\n");
    EXPECT_NE(raw.find("\r\nset-cookie: xccn=zzz; path=/\r\n"), std::string::npos) << raw;
    EXPECT_NE(raw.find("\r\nSet-Cookie: ccn="), std::string::npos);
}

TEST_F(StandInSiteTest, GrantRepliesAndTheirEffect) {
    Browser owner = Owner();
    owner.Get("/room/my/");
    const std::string token = owner.Cookie("ccn");
    struct Case {
        const char* what;
        std::string form;
        const char* reply;  // nullptr: the empty reply
        std::size_t admins;
    } const cases[] = {
        {"a viewer", "ctn=" + token + "&nickname=" + EncodeEveryByte("A😀"), nullptr, 26},
        {"the same again", "ctn=" + token + "&nickname=" + EncodeEveryByte("A😀"),
         "A😀已经是您房间的房管了", 26},
        {"an unknown name", "ctn=" + token + "&nickname=" + EncodeEveryByte("ghost"),
         "没有找到该会员", 26},
        {"the escaped page text of a name",
         "ctn=" + token + "&nickname=" + EncodeEveryByte("Tom&amp;Jerry"), "没有找到该会员", 26},
        {"an empty name", "ctn=" + token + "&nickname=", "账号不能为空", 26},
        {"a name with &", "ctn=" + token + "&nickname=" + EncodeEveryByte("Tom&Jerry"), nullptr,
         27},
        {"an account", "ctn=" + token + "&nickname=" + EncodeEveryByte("房主"), nullptr, 28},
        {"a wrong token", "ctn=" + token + "; xccn=zzz&nickname=v01", "非法请求", 28},
        {"no token", "ctn=&nickname=v01", "非法请求", 28},
    };
    for (const auto& c : cases) {
        const auto reply = owner.Post("/room/my/add_admin", c.form);
        ASSERT_TRUE(reply) << c.what;
        EXPECT_EQ(reply->body, c.reply ? c.reply : "") << c.what;
        EXPECT_EQ(site_.Data().administrators.size(), c.admins) << c.what;
    }
    const auto added = site_.Data().administrators.back();
    EXPECT_EQ(added.nickname, "房主");
    EXPECT_EQ(added.uid, "20028");
    EXPECT_TRUE(std::regex_match(added.appointed, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")));
}

TEST_F(StandInSiteTest, RosterListsEveryYearAndRemovalChangesIt) {
    Browser owner = Owner();
    const std::string first = Body(owner, "/room/my/room_admin?page=1");
    const std::string second = Body(owner, "/room/my/room_admin?page=2");
    EXPECT_EQ(PagerCount(first), 2);
    const auto rows = Matches(first, kRosterRow);
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"v10", "2014-03-04 05:06:07", "20001"}));
    EXPECT_EQ(Matches(second, kRosterRow).size(), 5u);
    std::set<std::string> years;
    for (const auto& row : rows) years.insert(row[1].substr(0, 4));
    EXPECT_EQ(years.size(), 5u);
    // The program's original pattern finds only the 2015 rows.
    const std::string only2015 =
        "<td >(.*?)</td>\r\n    <td >2015-(.*?)</td>\r\n     <td><a "
        "href=\"/room/my/del_admin/(.*?)\"";
    EXPECT_EQ(Matches(first, only2015).size(), 4u);

    const auto removed = owner.Get("/room/my/del_admin?del_uid=%32%30%30%30%31");  // 20001
    ASSERT_TRUE(removed);
    EXPECT_NE(removed->body.find("\"code\":0"), std::string::npos);
    const auto again = owner.Get("/room/my/del_admin?del_uid=20001");
    ASSERT_TRUE(again);
    EXPECT_NE(again->body, removed->body);
    EXPECT_EQ(owner.Get("/room/my/del_admin?del_uid=")->body, again->body);
    EXPECT_EQ(site_.Data().administrators.size(), 24u);
    EXPECT_EQ(Matches(Body(owner, "/room/my/room_admin?page=1"), kRosterRow)[0][2], "20002");
}

TEST_F(StandInSiteTest, RecordsEachRequestHeadByteForByte) {
    const std::string get =
        "GET /room/my/profit?seltype=1 HTTP/1.1\r\nHost: 127.0.0.1\r\naccept: */*\r\n"
        "Referer: http://x/room/my/profit?seltype=1\r\nAccept-Language: zh-cn\r\n"
        "Content-Type: application/x-www-form-urlencoded\r\n\r\n";
    const std::string post =
        "POST /member/login/ajax HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Mixed-CASE:  v\r\n"
        "Content-Length: 7\r\nConnection: close\r\n\r\na=1&b=2";
    // Two requests on one connection, sent at once.
    const std::string replies = testing::SendRaw(port_, get + post);
    EXPECT_EQ(CountOf(replies, "HTTP/1.1 200"), 2);

    const auto log = site_.Requests();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].method, "GET");
    EXPECT_EQ(log[0].target, "/room/my/profit?seltype=1");
    EXPECT_EQ(log[0].rawHead, get);
    ASSERT_EQ(log[0].headers.size(), 5u);
    EXPECT_EQ(log[0].headers[1], (std::pair<std::string, std::string>{"accept", "*/*"}));
    EXPECT_EQ(log[0].Header("ACCEPT"), "*/*");
    EXPECT_EQ(log[0].body, "");
    EXPECT_EQ(log[1].rawHead, post.substr(0, post.size() - 7));
    EXPECT_EQ(log[1].headers[1], (std::pair<std::string, std::string>{"X-Mixed-CASE", "v"}));
    EXPECT_EQ(log[1].body, "a=1&b=2");
    EXPECT_EQ(log[1].Header("Accept-Encoding"), "");
}

TEST_F(StandInSiteTest, RepliesAreNeverCompressed) {
    const std::string raw = testing::SendRaw(
        port_,
        "GET /room/my/ HTTP/1.1\r\nHost: x\r\nAccept-Encoding: gzip, deflate, br\r\n"
        "Connection: close\r\n\r\n");
    EXPECT_EQ(raw.find("Content-Encoding"), std::string::npos);
    EXPECT_NE(raw.find("<html>"), std::string::npos);
    EXPECT_EQ(site_.Requests().at(0).Header("Accept-Encoding"), "gzip, deflate, br");
}

TEST_F(StandInSiteTest, HandMadePagesReplaceTheirTarget) {
    site_.SetPage("/room/my/profit?x=1", "共12页");
    Browser stranger(port_);
    EXPECT_EQ(Body(stranger, "/room/my/profit?x=1"), "共12页");
    site_.ClearPages();
    EXPECT_NE(Body(stranger, "/room/my/profit?x=1"), "共12页");
}

TEST_F(StandInSiteTest, TestEndpointsAreOffUnlessEnabled) {
    Browser browser(port_);
    EXPECT_EQ(browser.Get("/__test/captcha")->status, 404);
    EXPECT_EQ(site_.Requests().size(), 1u) << "recorded like any other request";

    site_.EnableTestEndpoints(true);
    site_.ClearRequests();
    browser.Get("/member/login/captcha?_t=0.1");
    Browser other(port_);
    other.Get("/member/login/captcha?_t=0.1");
    EXPECT_EQ(Body(other, "/__test/captcha"), site_.CaptchaDigits());
    EXPECT_EQ(browser.Get("/__test/captcha")->body.size(), 4u) << "the asking visitor's own";

    const auto log = nlohmann::json::parse(Body(browser, "/__test/requests"));
    ASSERT_EQ(log.size(), 2u) << "the control requests are not logged";
    EXPECT_EQ(log[0]["target"], "/member/login/captcha?_t=0.1");
    EXPECT_NE(log[0]["rawHead"].get<std::string>().find("\r\nHost: 127.0.0.1:"), std::string::npos);

    ASSERT_EQ(
        browser.Post("/__test/faults", R"({"pathPrefix":"/room/","status":503,"times":1})")->status,
        200);
    EXPECT_EQ(browser.Get("/room/my/")->status, 503);
    EXPECT_EQ(browser.Get("/room/my/")->status, 200);
    browser.Post("/__test/faults", R"({"status":502})");
    browser.Post("/__test/faults/clear", "");
    EXPECT_EQ(browser.Get("/room/my/")->status, 200);
    browser.Post("/__test/requests/clear", "");
    EXPECT_EQ(nlohmann::json::parse(Body(browser, "/__test/requests")).size(), 0u);
}

}  // namespace
}  // namespace roomdesk::site
