#include "ranking_site_fixture.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "text/encoding.h"
#include "web/web_request.h"
#include "web/web_session.h"

namespace roomdesk::testing {

namespace {

constexpr char kAccount[] = "demo";
constexpr char kPassword[] = "demo123";

// Logs the process-wide cookie store in to the site.
void LogIn(site::StandInSite& site) {
    const WebResponse captcha = WebRequest(site.BaseUrl() + "/member/login/captcha?_t=0.1");
    ASSERT_TRUE(captcha.Answered()) << captcha.failure;
    const WebResponse reply =
        WebRequest(site.BaseUrl() + "/member/login/ajax", kPost,
                   std::string("username=") + kAccount + "&password=" + kPassword +
                       "&captcha_word=" + site.CaptchaDigits());
    ASSERT_NE(reply.body.find("\"code\":0"), std::string::npos) << reply.body;
}

}  // namespace

site::Gift GiftAt(const std::string& viewerUtf8, const std::string& time, int amount) {
    return {.viewer = viewerUtf8, .date = kToday, .time = time, .amount = amount};
}

std::vector<site::Gift> ManyGifts(int count) {
    std::vector<site::Gift> gifts;
    for (int i = 0; i < count; ++i) {
        char time[16];
        std::snprintf(time, sizeof time, "10:%02d:%02d", i / 60 % 60, i % 60);
        gifts.push_back(GiftAt("v" + std::to_string(i % 7), time));
    }
    return gifts;
}

std::string ProfitTarget(int seltype, int page, const std::string& date) {
    std::string target =
        "/room/my/profit?time1=" + date + "&time2=" + date + "&seltype=" + std::to_string(seltype);
    if (page != 0) target += "&page=" + std::to_string(page);
    return target;
}

void RankingSiteTest::SetUp() {
    ClearCookieStore();
    ServeGifts({});
    site_.SetToday(kToday);
    ASSERT_GT(site_.Start(), 0);
    LogIn(site_);
    site_.ClearRequests();
    window_.SetSleeper([this](std::chrono::milliseconds ms) {
        std::lock_guard lock(pauseMutex_);
        pauses_.push_back({window_.OnWindowThread(), static_cast<int>(ms.count())});
    });
    // As the window's created event leaves them.
    window_.Combo("组合框2").SelectByText(Utf8ToAnsi("1分钟"));
    window_.Combo("组合框3").SelectByText(Utf8ToAnsi("当天排名"));
    rankings_ = std::make_unique<Rankings>(window_, site_.BaseUrl(), [this] { return today_; });
    rankings_->Install();
}

void RankingSiteTest::TearDown() {
    rankings_.reset();
    ClearCookieStore();
}

void RankingSiteTest::ServeGifts(const std::vector<site::Gift>& gifts) {
    site::SiteData data;
    data.accounts = {{kAccount, kPassword}};
    data.gifts = gifts;
    site_.SetData(data);
    site_.ClearPages();
    site_.ClearFaults();
    site_.ClearRequests();
}

void RankingSiteTest::ChooseUpdate(const RankPeriod& period) {
    ASSERT_TRUE(window_.ChoosePopupItem(period.shownList, period.updateItem));
}

void RankingSiteTest::WaitForWorkers() {
    while (window_.Workers().AnyRunning()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void RankingSiteTest::RunUpdate(const RankPeriod& period) {
    ChooseUpdate(period);
    WaitForWorkers();
}

std::vector<std::string> RankingSiteTest::ProfitTargets() const {
    std::vector<std::string> targets;
    for (const site::RecordedRequest& request : site_.Requests()) {
        if (request.target.rfind(kPlainProfitPage, 0) == 0) targets.push_back(request.target);
    }
    return targets;
}

std::vector<RankingSiteTest::Pause> RankingSiteTest::Pauses() const {
    std::lock_guard lock(pauseMutex_);
    return pauses_;
}

void RankingSiteTest::ShowEarlierRanking(const RankPeriod& period) {
    window_.List(period.shownList).SetRows(EarlierRanking());
}

std::vector<ListView::Row> RankingSiteTest::EarlierRanking() const {
    return {{Utf8ToAnsi("第一名"), "earlier", "900"}};
}

}  // namespace roomdesk::testing
