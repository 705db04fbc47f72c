#include "admin_test_support.h"

#include <cstdio>

#include "text/encoding.h"
#include "web/web_request.h"
#include "web/web_session.h"

namespace roomdesk::testing {

Text Ansi(std::string_view utf8) { return Utf8ToAnsi(utf8); }

std::string AdminNickname(int index) {
    char name[16];
    std::snprintf(name, sizeof name, "%02d", index);
    // The site writes the "&" of the second one as "&amp;"; the roster lists it as "&".
    return (index == 2 ? "猫&狗" : "房管") + std::string(name);
}

std::string AdminUid(int index) { return std::to_string(20000 + index); }

std::string AdminDate(int index) {
    const char* const years[] = {"2014", "2015", "2016", "2025", "2026"};
    return std::string(years[(index - 1) % 5]) + "-03-04 05:06:07";
}

site::SiteData AdminRoom(int administrators) {
    site::SiteData data;
    data.accounts = {{"demo", "demo123"}};
    for (const char* member : kMembers) data.gifts.push_back({member, "2026-12-09"});
    data.gifts.push_back({AdminNickname(1), "2026-12-09"});
    for (int i = 1; i <= administrators; ++i) {
        data.administrators.push_back({AdminUid(i), AdminNickname(i), AdminDate(i)});
    }
    return data;
}

void AdminTest::SetUp() {
    AllowTransfers();
    SetWebSettings(WebSettings{});
    ClearCookieStore();
    ASSERT_GT(site_.Start(), 0);
    UseBase(site_.BaseUrl());
    LogIn();
    site_.ClearRequests();
}

void AdminTest::TearDown() {
    window_.Workers().StopAll();
    SetWebSettings(WebSettings{});
    ClearCookieStore();
}

void AdminTest::UseBase(const std::string& base) {
    admins_ = std::make_unique<Administrators>(window_, base);
    admins_->Install();
}

void AdminTest::LogIn() {
    const std::string base = site_.BaseUrl();
    WebRequest(base + "/member/login/captcha?_t=0.12345678901234567");
    const WebResponse reply = WebRequest(
        base + "/member/login/ajax", kPost,
        "login_type=nickname&username=demo&password=demo123&captcha_word=" + site_.CaptchaDigits());
    ASSERT_NE(reply.body.find("\"code\":0"), std::string::npos) << reply.body;
}

std::vector<std::string> AdminTest::Targets() const {
    std::vector<std::string> targets;
    for (const site::RecordedRequest& request : site_.Requests()) {
        targets.push_back(request.target);
    }
    return targets;
}

void AdminTest::CheckRosterAndWait() {
    ASSERT_TRUE(window_.ChoosePopupItem("超级列表框9", "检查后宫"));
    admins_->RosterWorker().Join();
}

}  // namespace roomdesk::testing
