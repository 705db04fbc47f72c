#include "site/site_calendar.h"

#include <gtest/gtest.h>

namespace roomdesk::site {
namespace {

TEST(SiteCalendar, PeriodDaysOfEachSelection) {
    struct Case {
        int seltype;
        const char* time1;
        const char* time2;
        const char* first;
        const char* last;
    } const cases[] = {
        {1, "2026-12-09", "2026-12-09", "2026-12-09", "2026-12-09"},
        {1, "2026-12-01", "2026-12-09", "2026-12-01", "2026-12-09"},
        {1, "2026-12-09", "", "2026-12-09", "2026-12-09"},
        {2, "2026-12-09", "", "2026-12-07", "2026-12-13"},  // Wednesday
        {2, "2026-12-07", "", "2026-12-07", "2026-12-13"},  // Monday
        {2, "2026-12-13", "", "2026-12-07", "2026-12-13"},  // Sunday
        {2, "2027-01-01", "", "2026-12-28", "2027-01-03"},  // across the year
        {3, "2028-02-10", "", "2028-02-01", "2028-02-29"},  // leap February
        {3, "2026-12-31", "", "2026-12-01", "2026-12-31"},
        {4, "2026-12-09", "", "2026-10-01", "2026-12-31"},
        {4, "2026-01-01", "", "2026-01-01", "2026-03-31"},
        {4, "2026-06-30", "", "2026-04-01", "2026-06-30"},
        {4, "2026-08-15", "", "2026-07-01", "2026-09-30"},
    };
    for (const auto& c : cases) {
        const auto days = PeriodDays(c.seltype, c.time1, c.time2);
        ASSERT_TRUE(days) << c.seltype << " " << c.time1;
        EXPECT_EQ(days->first, c.first) << c.seltype << " " << c.time1;
        EXPECT_EQ(days->last, c.last) << c.seltype << " " << c.time1;
    }
}

TEST(SiteCalendar, RejectsWhatIsNoDateOrSelection) {
    EXPECT_FALSE(PeriodDays(1, "2026-02-30", ""));
    EXPECT_FALSE(PeriodDays(1, "2026-1-01", ""));
    EXPECT_FALSE(PeriodDays(1, "", ""));
    EXPECT_FALSE(PeriodDays(5, "2026-12-09", ""));
    EXPECT_EQ(AddDays("2026-03-01", -1), "2026-02-28");
    EXPECT_EQ(AddDays("2026-12-31", 1), "2027-01-01");
    EXPECT_TRUE(IsDate(LocalDateText()));
}

}  // namespace
}  // namespace roomdesk::site
