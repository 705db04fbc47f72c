// The roster check as the window starts it: one check at a time, page by page, and a stop.
#include "admin/administrators.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "admin_test_support.h"

namespace roomdesk::testing {
namespace {

// Polls until `done` holds or ten seconds have passed; gives whether it holds.
bool WaitUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

const std::vector<std::string> kOneCheck = {
    "/room/my/room_admin?page=1", "/room/my/room_admin?page=1", "/room/my/room_admin?page=2",
    "/room/my/room_admin?page=3"};

class RosterWorkerTest : public AdminTest {
protected:
    // Starts a check whose page 2 answers only after a few seconds, and returns once page 1's
    // rows are listed.
    void StartSlowCheck() {
        site_.AddFault({.pathPrefix = "/room/my/room_admin?page=2", .delayMs = 2000, .times = 1});
        ASSERT_TRUE(window_.ChoosePopupItem("超级列表框9", "检查后宫"));
        ASSERT_TRUE(WaitUntil([this] { return roster().RowCount() == 20; }));
    }
    MemoryListView& roster() { return window_.List("超级列表框9"); }
    Text status() { return window_.Status("状态条2").GetText(); }
};

TEST_F(RosterWorkerTest, ASecondCheckWhileOneRunsIsIgnored) {
    ASSERT_NO_FATAL_FAILURE(StartSlowCheck());
    const WorkerHandle running = admins_->RosterWorker();
    ASSERT_TRUE(running.Running());
    EXPECT_EQ(status(), Ansi("正在检查后宫！"));

    ASSERT_TRUE(window_.ChoosePopupItem("超级列表框9", "检查后宫"));
    running.Join();
    admins_->RosterWorker().Join();

    EXPECT_EQ(Targets(), kOneCheck);
    ASSERT_EQ(roster().RowCount(), 45);
    for (int row = 0; row < 45; ++row) EXPECT_EQ(roster().Cell(row, 0), AdminUid(row + 1));
    EXPECT_EQ(status(), Ansi("后宫检查完毕！"));

    // Once it has ended, the next choice checks again from the start.
    site_.ClearRequests();
    CheckRosterAndWait();
    EXPECT_EQ(Targets(), kOneCheck);
    EXPECT_EQ(roster().RowCount(), 45);
}

TEST_F(RosterWorkerTest, AStoppedCheckReadsNoFurtherPageAndWritesNothingMore) {
    ASSERT_NO_FATAL_FAILURE(StartSlowCheck());
    admins_->RosterWorker().RequestStop();
    admins_->RosterWorker().Join();

    EXPECT_EQ(Targets(), std::vector<std::string>(kOneCheck.begin(), kOneCheck.begin() + 3));
    EXPECT_EQ(roster().RowCount(), 20);
    EXPECT_EQ(status(), Ansi("正在检查后宫！"));
}

}  // namespace
}  // namespace roomdesk::testing
