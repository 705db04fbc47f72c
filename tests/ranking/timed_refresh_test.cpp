// Timed refresh: the switch with its texts, periods and enabled states, and the ticks that
// start the chosen period's update.
#include "ranking/timed_refresh.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ranking_site_fixture.h"
#include "text/encoding.h"

namespace roomdesk::testing {
namespace {

Text A(std::string_view utf8) { return Utf8ToAnsi(utf8); }

class TimedRefreshTest : public RankingSiteTest {
protected:
    MemoryCheckBox& Switch() { return window_.Check("选择框1"); }
    MemoryTimer& Clock() { return window_.Clock("时钟1"); }
    bool ChoicesEnabled(bool enabled) {
        return window_.Combo("组合框2").IsEnabled() == enabled &&
               window_.Combo("组合框3").IsEnabled() == enabled;
    }
    bool AnyWorkerStarted() const {
        for (const RankPeriod& period : kRankPeriods) {
            if (rankings_->Updates().Worker(period)) return true;
        }
        return false;
    }
};

TEST_F(TimedRefreshTest, SwitchRunsTheTimerAtTheChosenInterval) {
    struct Case {
        const char* interval;
        int ms;
    };
    const Case cases[] = {
        {"1分钟", 60000},   {"2分钟", 120000},   {"5分钟", 300000},
        {"10分钟", 600000}, {"30分钟", 1800000}, {"60分钟", 3600000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.interval);
        window_.Combo("组合框2").Type(A(c.interval));
        ASSERT_TRUE(Switch().Click());
        EXPECT_TRUE(Switch().IsChecked());
        EXPECT_EQ(Clock().Period(), c.ms);
        EXPECT_EQ(StatusText(), A("已开启定时更新"));
        EXPECT_TRUE(ChoicesEnabled(false));

        ASSERT_TRUE(Switch().Click());
        EXPECT_EQ(Clock().Period(), 0);
        EXPECT_EQ(StatusText(), A("已关闭定时更新"));
        EXPECT_TRUE(ChoicesEnabled(true));
    }
    // Switching on starts no update: the first comes with the first tick.
    EXPECT_FALSE(AnyWorkerStarted());
    EXPECT_TRUE(ProfitTargets().empty());
}

TEST_F(TimedRefreshTest, SwitchWithoutAnIntervalStaysOff) {
    window_.Combo("组合框2").Type(A("3分钟"));
    ASSERT_TRUE(Switch().Click());
    EXPECT_FALSE(Switch().IsChecked());
    EXPECT_EQ(Clock().Period(), 0);
    EXPECT_EQ(StatusText(), A("请先选择定时间隔"));
    EXPECT_TRUE(ChoicesEnabled(true));
    EXPECT_FALSE(Clock().Fire());
}

TEST_F(TimedRefreshTest, EachTickStartsTheChosenPeriodOnly) {
    struct Case {
        const char* period;
        int seltype;  // 0: none
    };
    const Case cases[] = {
        {"当天排名", 1}, {"当周排名", 2}, {"当月排名", 3}, {"季度排名", 4}, {"本年排名", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.period);
        ServeGifts(ManyGifts(5));
        window_.Combo("组合框3").Type(A(c.period));
        ASSERT_TRUE(Switch().Click());
        for (int tick = 0; tick < 2; ++tick) {
            ASSERT_TRUE(Clock().Fire());
            WaitForWorkers();
        }
        // Two updates, each asking for the chosen period's pages alone.
        std::vector<std::string> expected;
        for (int update = 0; update < 2 && c.seltype != 0; ++update) {
            if (c.seltype == 1) {
                expected.insert(expected.end(), {ProfitTarget(1, 0), kPlainProfitPage.data()});
            } else {
                expected.insert(expected.end(), 2, ProfitTarget(c.seltype, 1));
            }
        }
        EXPECT_EQ(ProfitTargets(), expected);
        ASSERT_TRUE(Switch().Click());
    }
}

TEST_F(TimedRefreshTest, AnUpdateRunningWhenTheTimerStopsRunsToItsEnd) {
    ServeGifts(ManyGifts(5));
    site_.AddFault({.pathPrefix = ProfitTarget(3, 1), .delayMs = 300, .times = 1});
    window_.Combo("组合框3").Type(A("当月排名"));
    ASSERT_TRUE(Switch().Click());
    ASSERT_TRUE(Clock().Fire());
    ASSERT_TRUE(Switch().Click());
    EXPECT_EQ(StatusText(), A("已关闭定时更新"));
    // A tick while the month's update runs would not start a second one either.
    rankings_->Updates().StartRankUpdate(kMonthPeriod);
    WaitForWorkers();
    EXPECT_EQ(StatusText(), A("更新完毕"));
    EXPECT_EQ(ProfitTargets(), (std::vector<std::string>{ProfitTarget(3, 1), ProfitTarget(3, 1)}));
}

}  // namespace
}  // namespace roomdesk::testing
