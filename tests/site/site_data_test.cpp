#include "site/site_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace roomdesk::site {
namespace {

constexpr const char* kToday = "2026-12-09";  // a Wednesday

TEST(SiteData, DemoRoomHasTheVarietyTheProgramMeets) {
    const SiteData demo = SiteData::Demo(kToday);

    ASSERT_GE(demo.accounts.size(), 2u);
    EXPECT_EQ(demo.accounts[0].nickname, "demo");
    EXPECT_EQ(demo.accounts[0].password, "demo123");
    EXPECT_TRUE(std::any_of(demo.accounts.begin(), demo.accounts.end(), [](const Account& a) {
        return a.password.find('&') != std::string::npos &&
               a.password.find('=') != std::string::npos;
    }));

    std::set<std::string> viewers;
    int today = 0, thisWeek = 0;
    std::set<int> amounts;
    for (const auto& g : demo.gifts) {
        viewers.insert(g.viewer);
        today += g.date == kToday;
        thisWeek += g.date >= "2026-12-07" && g.date <= kToday;
        amounts.insert(g.amount);
        EXPECT_LE(g.date, kToday) << "a gift in the future";
    }
    EXPECT_GE(viewers.size(), 30u);
    EXPECT_LE(viewers.size(), 60u);
    EXPECT_TRUE(viewers.count("Tom&Jerry"));
    EXPECT_TRUE(viewers.count("A😀") && viewers.count("A😎"));
    EXPECT_TRUE(viewers.count("Alice") && viewers.count("alice"));
    EXPECT_GT(today, 20) << "the day should fill more than one page";
    EXPECT_GT(thisWeek, 40) << "the week should fill several pages";
    EXPECT_TRUE(amounts.count(100) && amounts.count(10) && amounts.count(1000));

    std::set<std::string> years;
    for (const auto& a : demo.administrators) {
        years.insert(a.appointed.substr(0, 4));
        EXPECT_TRUE(demo.IsMember(a.nickname)) << a.nickname;
    }
    EXPECT_EQ(years, (std::set<std::string>{"2014", "2015", "2016", "2025", "2026"}));
    EXPECT_GT(demo.administrators.size(), 20u) << "the roster should fill two pages";
}

TEST(SiteData, JsonRoundTripKeepsEverything) {
    const SiteData demo = SiteData::Demo(kToday);
    std::string error;
    const auto back = SiteData::FromJson(demo.ToJson(), &error);
    ASSERT_TRUE(back) << error;
    ASSERT_EQ(back->gifts.size(), demo.gifts.size());
    for (std::size_t i = 0; i < demo.gifts.size(); ++i) {
        EXPECT_EQ(back->gifts[i].viewer, demo.gifts[i].viewer);
        EXPECT_EQ(back->gifts[i].date, demo.gifts[i].date);
        EXPECT_EQ(back->gifts[i].time, demo.gifts[i].time);
        EXPECT_EQ(back->gifts[i].amount, demo.gifts[i].amount);
    }
    ASSERT_EQ(back->administrators.size(), demo.administrators.size());
    EXPECT_EQ(back->administrators.back().appointed, demo.administrators.back().appointed);
    EXPECT_EQ(back->accounts[1].password, demo.accounts[1].password);
}

TEST(SiteData, JsonReaderRejectsBadFilesAndSaysWhy) {
    struct Case {
        const char* json;
        const char* why;
    } const cases[] = {
        {"not json", "parse"},
        {"[]", "top level"},
        {R"({"accounts":[{"nickname":"a"}]})", "password"},
        {R"({"gifts":[{"viewer":"v","date":"2026-02-30"}]})", "2026-02-30"},
        {R"({"gifts":[{"viewer":"v","date":"2026-02-03","time":"25:00:00"}]})", "25:00:00"},
        {R"({"gifts":[{"viewer":"v","date":"2026-02-03","amount":"100"}]})", "amount"},
        {R"({"administrators":[{"uid":1,"nickname":"n","appointed":"x"}]})", "uid"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(SiteData::FromJson(c.json, &error)) << c.json;
        EXPECT_NE(error.find(c.why), std::string::npos) << c.json << " gave: " << error;
    }
    std::string error;
    EXPECT_FALSE(SiteData::FromJsonFile("/nonexistent/site.json", &error));
    EXPECT_NE(error.find("/nonexistent/site.json"), std::string::npos);

    const auto minimal =
        SiteData::FromJson(R"({"gifts":[{"viewer":"v","date":"2026-02-03"}]})", &error);
    ASSERT_TRUE(minimal);
    EXPECT_EQ(minimal->gifts[0].amount, 100);
    EXPECT_EQ(minimal->gifts[0].time, "00:00:00");
}

}  // namespace
}  // namespace roomdesk::site
