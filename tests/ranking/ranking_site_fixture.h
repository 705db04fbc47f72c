// A logged-in stand-in site, an in-memory main window whose pauses return at once, and the
// rankings installed on that window: the ground of the tests that run whole updates.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ranking/rank_period.h"
#include "ranking/rankings.h"
#include "site/stand_in_site.h"
#include "toolkit/memory_window.h"

namespace roomdesk::testing {

// The date of every update unless a test moves the fixture's clock; a Wednesday.
inline constexpr char kToday[] = "2024-05-15";

// A gift of 100 on kToday at `time` (HH:MM:SS; the site lists the newest first).
site::Gift GiftAt(const std::string& viewerUtf8, const std::string& time, int amount = 100);
// `count` gifts of 100 on kToday, one second apart, from viewers v0 to v6 in turn.
std::vector<site::Gift> ManyGifts(int count);

// The target of a dated gift-income request, written out: time1 and time2 `date`, then the
// seltype, then "&page=" and the page unless `page` is 0.
std::string ProfitTarget(int seltype, int page, const std::string& date = kToday);

class RankingSiteTest : public ::testing::Test {
protected:
    struct Pause {
        bool onWindowThread;
        int ms;
    };

    // Starts the site with the account and `gifts`, logs in and installs the rankings.
    void SetUp() override;
    void TearDown() override;

    // From now on the site holds exactly these gifts, no hand-made page and no fault, and its
    // request log is empty.
    void ServeGifts(const std::vector<site::Gift>& gifts);
    // Chooses the period's update item in its shown list's popup menu.
    void ChooseUpdate(const RankPeriod& period);
    // Waits until no worker of the window runs.
    void WaitForWorkers();
    // ChooseUpdate, then WaitForWorkers.
    void RunUpdate(const RankPeriod& period);

    // Targets of the gift-income requests since the last ClearRequests, in order.
    std::vector<std::string> ProfitTargets() const;
    std::vector<ListView::Row> ListRows(std::string_view list) { return window_.List(list).Rows(); }
    Text StatusText() { return window_.Status(kRankStatusBar).GetText(); }
    std::vector<Pause> Pauses() const;
    // A ranking shown before the update, to see whether the update replaced it.
    void ShowEarlierRanking(const RankPeriod& period);
    std::vector<ListView::Row> EarlierRanking() const;

    site::StandInSite site_{site::SiteData{}};
    MemoryWindow window_;
    std::string today_ = kToday;  // what the rankings' clock gives
    std::unique_ptr<Rankings> rankings_;

private:
    mutable std::mutex pauseMutex_;
    std::vector<Pause> pauses_;
};

}  // namespace roomdesk::testing
