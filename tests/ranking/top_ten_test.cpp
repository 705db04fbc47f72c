// The finishing of an update on an in-memory window: the pauses around the totals, the sort, the
// labels, the ten shown rows, the end text, the finish buttons and the status-bar switch.
#include "ranking/top_ten.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "ranking/rankings.h"
#include "text/encoding.h"
#include "toolkit/memory_window.h"

namespace roomdesk {
namespace {

using Rows = std::vector<ListView::Row>;

Text A(std::string_view utf8) { return Utf8ToAnsi(utf8); }

ListView::Row Gift(const Text& nickname) { return {"", nickname, "100"}; }

Rows TenRows(Rows rows) {
    rows.resize(10, {"", "", ""});
    return rows;
}

class TopTenTest : public ::testing::Test {
protected:
    TopTenTest() {
        // Each pause returns at once and notes what the work list held at that moment.
        window_.SetSleeper([this](std::chrono::milliseconds ms) {
            pauses_.push_back(static_cast<int>(ms.count()));
            atPause_.push_back(window_.List(period_->workList).Rows());
        });
    }

    MemoryWindow window_;
    const RankPeriod* period_ = &kWeekPeriod;
    std::vector<int> pauses_;
    std::vector<Rows> atPause_;
};

TEST_F(TopTenTest, FinishTotalsBetweenTwoPausesThenShowsTheTopTen) {
    window_.List(kWeekPeriod.workList)
        .SetRows({Gift("A"), Gift("B"), Gift("A"), Gift("C"), Gift("B")});
    FinishRankUpdate(window_, kWeekPeriod);

    EXPECT_EQ(pauses_, (std::vector<int>{1000, 1000}));
    ASSERT_EQ(atPause_.size(), 2u);
    EXPECT_EQ(atPause_[0], (Rows{Gift("A"), Gift("B"), Gift("A"), Gift("C"), Gift("B")}));
    EXPECT_EQ(atPause_[1],
              (Rows{{"", "", ""}, {"", "A", "200"}, {"", "B", "200"}, {"", "C", "100"}}));
    // Equal totals come out in the reverse of their order; the seed row, with no total, last.
    const Rows ranked = {{A("第一名"), "B", "200"},
                         {A("第二名"), "A", "200"},
                         {A("第三名"), "C", "100"},
                         {A("第四名"), "", ""}};
    EXPECT_EQ(window_.List(kWeekPeriod.workList).Rows(), ranked);
    EXPECT_EQ(window_.List(kWeekPeriod.shownList).Rows(), TenRows(ranked));
    EXPECT_EQ(window_.Status(kRankStatusBar).GetText(), A("更新完毕！"));
}

TEST_F(TopTenTest, TwelveViewersShowTheTenLargest) {
    period_ = &kDayPeriod;
    Rows rows;
    for (int viewer = 1; viewer <= 12; ++viewer) {
        for (int gift = 0; gift < viewer; ++gift)
            rows.push_back(Gift("v" + std::to_string(viewer)));
    }
    window_.List(kDayPeriod.workList).SetRows(rows);
    FinishRankUpdate(window_, kDayPeriod);

    const Rows work = window_.List(kDayPeriod.workList).Rows();
    ASSERT_EQ(work.size(), 12u);
    Rows shown;
    for (int i = 0; i < 10; ++i) {
        shown.push_back(
            {A(kRankLabels[i]), "v" + std::to_string(12 - i), NumberToText(1200 - 100 * i)});
    }
    EXPECT_EQ(window_.List(kDayPeriod.shownList).Rows(), shown);
    EXPECT_EQ(work[10], (ListView::Row{"", "v2", "200"}));
    EXPECT_EQ(work[11], (ListView::Row{"", "v1", "100"}));
}

TEST_F(TopTenTest, AListThatCannotBeSortedIsStillLabelledAndCopied) {
    MemoryListView& work = window_.List(kMonthPeriod.workList);
    work.SetRows({{"", "small", "100"}, {"", "large", "900"}});
    work.SetMode(ListView::ViewMode::Icon);
    ShowTopTen(window_, kMonthPeriod, A("更新完毕"));
    EXPECT_EQ(window_.List(kMonthPeriod.shownList).Rows(),
              TenRows({{A("第一名"), "small", "100"}, {A("第二名"), "large", "900"}}));
}

TEST_F(TopTenTest, FinishButtonsRunTheSequenceOnTheWindowThread) {
    struct Case {
        const RankPeriod& period;
        Rows work;
        Rows shown;
        const char* endStatus;
    };
    const Case cases[] = {
        // An empty day work list: its ranking is empty, shown as ten empty rows.
        {kDayPeriod, {}, TenRows({}), "更新完毕！"},
        {kWeekPeriod,
         {Gift("x")},
         TenRows({{A("第一名"), "x", "100"}, {A("第二名"), "", ""}}),
         "更新完毕！"},
        {kMonthPeriod, {}, TenRows({{A("第一名"), "", ""}}), "更新完毕"},
        {kQuarterPeriod,
         {Gift("y"), Gift("y")},
         TenRows({{A("第一名"), "y", "200"}, {A("第二名"), "", ""}}),
         "更新完毕！"},
    };
    Rankings rankings(window_, "http://127.0.0.1:1");
    rankings.Install();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.period.finishButton);
        period_ = &c.period;
        pauses_.clear();
        window_.List(c.period.shownList).SetRows({{"old", "old", "1"}});
        window_.List(c.period.workList).SetRows(c.work);
        ASSERT_TRUE(window_.Button(c.period.finishButton).Click());
        EXPECT_EQ(pauses_, (std::vector<int>{1000, 1000}));
        EXPECT_EQ(window_.List(c.period.shownList).Rows(), c.shown);
        EXPECT_EQ(window_.Status(kRankStatusBar).GetText(), A(c.endStatus));
        EXPECT_FALSE(rankings.Updates().Busy(c.period));
    }
}

TEST_F(TopTenTest, AFinishButtonClickedDuringItsOwnSequenceIsIgnored) {
    Rankings rankings(window_, "http://127.0.0.1:1");
    rankings.Install();
    window_.List(kWeekPeriod.workList).SetRows({Gift("A")});
    int nestedClicks = 0;
    // The owner clicks again while the first sequence pauses (a real window lets events in).
    window_.SetSleeper([&](std::chrono::milliseconds) {
        pauses_.push_back(0);
        if (nestedClicks++ == 0) {
            EXPECT_TRUE(rankings.Updates().Busy(kWeekPeriod));
            EXPECT_FALSE(rankings.Updates().OnFinishButton(kWeekPeriod));
        }
    });
    EXPECT_TRUE(rankings.Updates().OnFinishButton(kWeekPeriod));
    EXPECT_EQ(pauses_.size(), 2u);
    EXPECT_EQ(window_.List(kWeekPeriod.workList).Rows(),
              (Rows{{A("第一名"), "A", "100"}, {A("第二名"), "", ""}}));
}

TEST_F(TopTenTest, StatusBarSwitchShowsAndHidesTheBar) {
    Rankings rankings(window_, "http://127.0.0.1:1");
    rankings.Install();
    MemoryStatusBar& bar = window_.Status(kRankStatusBar);
    bar.SetVisible(false);
    bar.SetText(A("更新完毕！"));
    ASSERT_TRUE(window_.Check("选择框3").Click());
    EXPECT_TRUE(bar.IsVisible());
    EXPECT_EQ(bar.GetText(), A("更新完毕！"));
    ASSERT_TRUE(window_.Check("选择框3").Click());
    EXPECT_FALSE(bar.IsVisible());
    EXPECT_EQ(bar.GetText(), A("更新完毕！"));
}

}  // namespace
}  // namespace roomdesk
