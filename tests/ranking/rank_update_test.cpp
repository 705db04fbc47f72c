// Whole ranking updates against the stand-in site: the requests of each period's page plan, the
// rows listed, the top ten shown, the status texts, failed pages and starts that overlap.
#include "ranking/rank_update.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ranking_site_fixture.h"
#include "site/stand_in_site.h"
#include "text/encoding.h"
#include "web/web_session.h"

namespace roomdesk::testing {
namespace {

using Rows = std::vector<ListView::Row>;

constexpr char kPlain[] = "/room/my/profit";

Text A(std::string_view utf8) { return Utf8ToAnsi(utf8); }

// The rows padded with empty rows to the ten of a shown list.
Rows TenRows(Rows rows) {
    rows.resize(10, {"", "", ""});
    return rows;
}

// How many gifts of 100 the work list's amounts add up to.
int GiftsIn(const Rows& rows) {
    int total = 0;
    for (const auto& row : rows) total += ToInteger(row[2]);
    return total / 100;
}

// A page of the site's own layout holding only a pager, as UTF-8.
std::string PagerOnly(int pages) {
    return "<html><body><span>共 " + std::to_string(pages) + " 页</span></body></html>";
}

struct SequenceCase {
    const char* what;
    const RankPeriod& period;
    int gifts;                                               // of 100 on the day, 20 a page
    std::vector<std::pair<std::string, std::string>> pages;  // hand-made: target, body
    std::vector<std::string> expected;
    int listed;  // gifts in the work list at the end
};

TEST_F(RankingSiteTest, EachPlanRequestsExactlyItsPages) {
    const SequenceCase cases[] = {
        {"day, 3 pages: the plain page's count takes over",
         kDayPeriod,
         45,
         {},
         {ProfitTarget(1, 0), kPlain, ProfitTarget(1, 1), ProfitTarget(1, 2), ProfitTarget(1, 3)},
         45},
        {"day, count 5 on the first page, 2 on the plain page",
         kDayPeriod,
         45,
         {{ProfitTarget(1, 0), PagerOnly(5)}, {kPlain, PagerOnly(2)}},
         {ProfitTarget(1, 0), kPlain, ProfitTarget(1, 1), ProfitTarget(1, 2)},
         40},
        {"day, count 1: the plain page is listed",
         kDayPeriod,
         5,
         {},
         {ProfitTarget(1, 0), kPlain},
         5},
        {"day, no pager on the first page: the plain page is listed",
         kDayPeriod,
         5,
         {{ProfitTarget(1, 0), "<html>nothing</html>"}},
         {ProfitTarget(1, 0), kPlain},
         5},
        {"day, count 1: the plain page's own count of 3 is not followed",
         kDayPeriod,
         45,
         {{ProfitTarget(1, 0), PagerOnly(1)}},
         {ProfitTarget(1, 0), kPlain},
         20},
        {"week, 3 pages: page 1 read for the count, then 1 to 3",
         kWeekPeriod,
         45,
         {},
         {ProfitTarget(2, 1), ProfitTarget(2, 1), ProfitTarget(2, 2), ProfitTarget(2, 3)},
         45},
        {"month, 3 pages",
         kMonthPeriod,
         45,
         {},
         {ProfitTarget(3, 1), ProfitTarget(3, 1), ProfitTarget(3, 2), ProfitTarget(3, 3)},
         45},
        {"quarter, 3 pages",
         kQuarterPeriod,
         45,
         {},
         {ProfitTarget(4, 1), ProfitTarget(4, 1), ProfitTarget(4, 2), ProfitTarget(4, 3)},
         45},
        {"week, the count is taken once, from the first request",
         kWeekPeriod,
         45,
         {{ProfitTarget(2, 1), PagerOnly(2)}},
         {ProfitTarget(2, 1), ProfitTarget(2, 1), ProfitTarget(2, 2)},
         20},
        {"week, a pager without spaces gives no count",
         kWeekPeriod,
         45,
         {{ProfitTarget(2, 1), "<span>共3页</span>"}},
         {ProfitTarget(2, 1)},
         0},
        {"quarter, no gift at all: one page",
         kQuarterPeriod,
         0,
         {},
         {ProfitTarget(4, 1), ProfitTarget(4, 1)},
         0},
    };
    for (const SequenceCase& c : cases) {
        SCOPED_TRACE(c.what);
        ServeGifts(ManyGifts(c.gifts));
        for (const auto& [target, body] : c.pages) site_.SetPage(target, body);
        RunUpdate(c.period);
        EXPECT_EQ(ProfitTargets(), c.expected);
        EXPECT_EQ(GiftsIn(ListRows(c.period.workList)), c.listed);
        EXPECT_EQ(ListRows(c.period.shownList).size(), 10u);
    }
}

TEST_F(RankingSiteTest, OnlyGiftsOfOneHundredAreListed) {
    ServeGifts({GiftAt("a", "10:00:05"), GiftAt("b", "10:00:04", 200),
                GiftAt("c", "10:00:03", 1000), GiftAt("a", "10:00:02"),
                GiftAt("d", "10:00:01", 10)});
    RunUpdate(kWeekPeriod);
    EXPECT_EQ(ListRows(kWeekPeriod.workList),
              (Rows{{A("第一名"), "a", "200"}, {A("第二名"), "", ""}}));
}

struct TopTenCase {
    const RankPeriod& period;
    Rows shown;
    const char* endStatus;
};

TEST_F(RankingSiteTest, ShowsTheTopTenOfEachPeriod) {
    // Newest first on the page, so 土豪甲 appears before Cat: equal totals come out reversed.
    const std::vector<site::Gift> gifts = {
        GiftAt("土豪甲", "12:00:09"), GiftAt("Cat", "12:00:08"), GiftAt("bob", "12:00:07"),
        GiftAt("土豪甲", "12:00:06"), GiftAt("Cat", "12:00:05"), GiftAt("bob", "12:00:04"),
        GiftAt("土豪甲", "12:00:03"), GiftAt("Cat", "12:00:02"),
    };
    const Rows three = {{A("第一名"), "Cat", "300"},
                        {A("第二名"), A("土豪甲"), "300"},
                        {A("第三名"), "bob", "200"}};
    Rows threeAndSeed = three;
    threeAndSeed.push_back({A("第四名"), "", ""});
    const TopTenCase cases[] = {
        {kDayPeriod, three, "更新完毕！"},
        {kWeekPeriod, threeAndSeed, "更新完毕！"},
        {kMonthPeriod, threeAndSeed, "更新完毕"},
        {kQuarterPeriod, threeAndSeed, "更新完毕！"},
    };
    for (const TopTenCase& c : cases) {
        SCOPED_TRACE(c.period.shownList);
        ServeGifts(gifts);
        RunUpdate(c.period);
        EXPECT_EQ(ListRows(c.period.shownList), TenRows(c.shown));
        EXPECT_EQ(ListRows(c.period.workList), c.shown);
        EXPECT_EQ(StatusText(), A(c.endStatus));
    }
    // Every update paused twice on its worker.
    const auto pauses = Pauses();
    ASSERT_EQ(pauses.size(), 8u);
    for (const Pause& pause : pauses) {
        EXPECT_FALSE(pause.onWindowThread);
        EXPECT_EQ(pause.ms, 1000);
    }
}

TEST_F(RankingSiteTest, PagesOfAVisitorWhoIsNotLoggedIn) {
    ServeGifts(ManyGifts(5));
    ClearCookieStore();

    // The day reads the plain page, lists nothing and stops: the ranking stays.
    ShowEarlierRanking(kDayPeriod);
    RunUpdate(kDayPeriod);
    EXPECT_EQ(ProfitTargets(), (std::vector<std::string>{ProfitTarget(1, 0), kPlain}));
    EXPECT_EQ(StatusText(), A("正在更新今日排行榜数据！"));
    EXPECT_EQ(ListRows(kDayPeriod.shownList), EarlierRanking());
    EXPECT_TRUE(Pauses().empty());

    // The week finds no count and finishes over the seed row alone.
    site_.ClearRequests();
    ShowEarlierRanking(kWeekPeriod);
    RunUpdate(kWeekPeriod);
    EXPECT_EQ(ProfitTargets(), (std::vector<std::string>{ProfitTarget(2, 1)}));
    EXPECT_EQ(ListRows(kWeekPeriod.shownList), TenRows({{A("第一名"), "", ""}}));
    EXPECT_EQ(StatusText(), A("更新完毕！"));
}

TEST_F(RankingSiteTest, RequestsCarryTheDateOfEachUpdate) {
    ServeGifts(ManyGifts(25));
    today_ = "2024-06-03";
    RunUpdate(kWeekPeriod);
    today_ = "2025-01-01";
    RunUpdate(kDayPeriod);
    EXPECT_EQ(ProfitTargets(),
              (std::vector<std::string>{
                  "/room/my/profit?time1=2024-06-03&time2=2024-06-03&seltype=2&page=1",
                  "/room/my/profit?time1=2024-06-03&time2=2024-06-03&seltype=2&page=1",
                  "/room/my/profit?time1=2025-01-01&time2=2025-01-01&seltype=1",
                  "/room/my/profit",
              }));

    // Without a clock of its own the update asks for the local date.
    rankings_ = std::make_unique<Rankings>(window_, site_.BaseUrl());
    rankings_->Install();
    site_.ClearRequests();
    const std::string before = site::LocalDate();
    RunUpdate(kMonthPeriod);
    const std::string after = site::LocalDate();
    const std::vector<std::string> targets = ProfitTargets();
    ASSERT_FALSE(targets.empty());
    EXPECT_TRUE(targets[0] == ProfitTarget(3, 1, before) || targets[0] == ProfitTarget(3, 1, after))
        << targets[0];
}

struct FailureCase {
    const char* what;
    const RankPeriod& period;
    int gifts;
    std::vector<site::Fault> faults;
    std::vector<std::string> expected;
    int listed;  // -1: the update ended without finishing
    const char* status;
};

TEST_F(RankingSiteTest, PagesThatBringNoResponseAreReported) {
    const site::Fault passThrough{.pathPrefix = "/room/my/profit?"};
    const FailureCase cases[] = {
        {"week, page 2 of 3 fails: pages 1 and 3 are listed",
         kWeekPeriod,
         45,
         {{.pathPrefix = ProfitTarget(2, 2), .status = 500}},
         {ProfitTarget(2, 1), ProfitTarget(2, 1), ProfitTarget(2, 2), ProfitTarget(2, 3)},
         25,
         "更新完毕，但有1页读取失败：网站返回错误（HTTP 500）"},
        {"day, page 2 of 3 is cut off",
         kDayPeriod,
         45,
         {{.pathPrefix = ProfitTarget(1, 2), .dropMidBody = true}},
         {ProfitTarget(1, 0), kPlain, ProfitTarget(1, 1), ProfitTarget(1, 2), ProfitTarget(1, 3)},
         25,
         "更新完毕，但有1页读取失败：与网站的连接中断"},
        {"month, pages 2 and 3 fail: the first failure is told",
         kMonthPeriod,
         45,
         {{.pathPrefix = ProfitTarget(3, 2), .status = 502},
          {.pathPrefix = ProfitTarget(3, 3), .dropMidBody = true}},
         {ProfitTarget(3, 1), ProfitTarget(3, 1), ProfitTarget(3, 2), ProfitTarget(3, 3)},
         20,
         "更新完毕，但有2页读取失败：网站返回错误（HTTP 502）"},
        {"quarter, the first request fails",
         kQuarterPeriod,
         45,
         {{.pathPrefix = ProfitTarget(4, 1), .status = 503, .times = 1}},
         {ProfitTarget(4, 1)},
         -1,
         "更新失败：网站返回错误（HTTP 503）"},
        {"day, the first request fails",
         kDayPeriod,
         45,
         {{.pathPrefix = ProfitTarget(1, 0), .status = 500, .times = 1}},
         {ProfitTarget(1, 0)},
         -1,
         "更新失败：网站返回错误（HTTP 500）"},
        {"day, the plain page read for its count fails",
         kDayPeriod,
         45,
         {passThrough, {.pathPrefix = kPlain, .status = 500}},
         {ProfitTarget(1, 0), kPlain},
         -1,
         "更新失败：网站返回错误（HTTP 500）"},
        {"day, the plain page read for its rows fails",
         kDayPeriod,
         5,
         {passThrough, {.pathPrefix = kPlain, .dropMidBody = true}},
         {ProfitTarget(1, 0), kPlain},
         -1,
         "更新失败：与网站的连接中断"},
        {"day, every dated page fails",
         kDayPeriod,
         45,
         {{.pathPrefix = ProfitTarget(1, 0) + "&page=", .status = 500}},
         {ProfitTarget(1, 0), kPlain, ProfitTarget(1, 1), ProfitTarget(1, 2), ProfitTarget(1, 3)},
         -1,
         "更新失败：网站返回错误（HTTP 500）"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        ServeGifts(ManyGifts(c.gifts));
        for (const site::Fault& fault : c.faults) site_.AddFault(fault);
        ShowEarlierRanking(c.period);
        RunUpdate(c.period);
        EXPECT_EQ(ProfitTargets(), c.expected);
        EXPECT_EQ(StatusText(), A(c.status));
        if (c.listed < 0) {
            EXPECT_EQ(ListRows(c.period.shownList), EarlierRanking());
        } else {
            EXPECT_EQ(GiftsIn(ListRows(c.period.workList)), c.listed);
            EXPECT_EQ(ListRows(c.period.shownList), TenRows(ListRows(c.period.workList)));
        }
    }
}

TEST_F(RankingSiteTest, AnUnreachableSiteIsReportedForEveryPeriod) {
    rankings_ =
        std::make_unique<Rankings>(window_, site::ClosedSiteAddress(), [] { return Text(kToday); });
    rankings_->Install();
    for (const RankPeriod& period : kRankPeriods) {
        SCOPED_TRACE(period.shownList);
        ShowEarlierRanking(period);
        RunUpdate(period);
        EXPECT_EQ(StatusText(), A("更新失败：无法连接网站"));
        EXPECT_EQ(ListRows(period.shownList), EarlierRanking());
    }
    EXPECT_TRUE(Pauses().empty());
}

TEST_F(RankingSiteTest, AStartWhileThePeriodsUpdateRunsIsIgnored) {
    struct Case {
        const RankPeriod& period;
        const char* periodItem;
        std::vector<std::string> oneUpdate;
    };
    const Case cases[] = {
        {kDayPeriod,
         "当天排名",
         {ProfitTarget(1, 0), kPlain, ProfitTarget(1, 1), ProfitTarget(1, 2)}},
        {kWeekPeriod, "当周排名", {ProfitTarget(2, 1), ProfitTarget(2, 1), ProfitTarget(2, 2)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.periodItem);
        ServeGifts(ManyGifts(25));
        // The first request is slow, so the update is still running while the owner and the
        // timer try to start it again and the finish button is clicked.
        site_.AddFault({.pathPrefix = c.oneUpdate[0], .delayMs = 300, .times = 1});
        window_.Combo("组合框3").Type(A(c.periodItem));
        ASSERT_TRUE(window_.Check("选择框1").Click());
        ChooseUpdate(c.period);
        const WorkerHandle running = rankings_->Updates().Worker(c.period);
        ChooseUpdate(c.period);
        EXPECT_TRUE(window_.Clock("时钟1").Fire());
        EXPECT_TRUE(window_.Button(c.period.finishButton).Click());
        EXPECT_TRUE(running.Running());
        EXPECT_TRUE(rankings_->Updates().Busy(c.period));
        WaitForWorkers();
        EXPECT_FALSE(rankings_->Updates().Busy(c.period));
        EXPECT_EQ(ProfitTargets(), c.oneUpdate);
        EXPECT_EQ(GiftsIn(ListRows(c.period.workList)), 25);
        EXPECT_EQ(StatusText(), A("更新完毕！"));
        ASSERT_TRUE(window_.Check("选择框1").Click());  // the timer off again

        // Once it has ended, the next start runs.
        site_.ClearRequests();
        RunUpdate(c.period);
        EXPECT_EQ(ProfitTargets(), c.oneUpdate);
    }
    for (const Pause& pause : Pauses()) EXPECT_FALSE(pause.onWindowThread);
}

TEST_F(RankingSiteTest, UpdatesOfTwoPeriodsRunSideBySide) {
    ServeGifts(ManyGifts(25));
    site_.AddFault({.pathPrefix = ProfitTarget(2, 1), .delayMs = 300, .times = 1});
    ChooseUpdate(kWeekPeriod);
    ChooseUpdate(kMonthPeriod);
    WaitForWorkers();
    EXPECT_EQ(GiftsIn(ListRows(kWeekPeriod.workList)), 25);
    EXPECT_EQ(GiftsIn(ListRows(kMonthPeriod.workList)), 25);
    // The slow week ended last: its text stands.
    EXPECT_EQ(StatusText(), A("更新完毕！"));
}

}  // namespace
}  // namespace roomdesk::testing
