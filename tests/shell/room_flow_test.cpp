// The whole room flow through the in-memory window and the controller with its features,
// against the stand-in site: log in, update the week from its popup menu, grant the second
// viewer, check the roster, remove that administrator.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

#include "ranking/rank_period.h"
#include "shell/main_controller.h"
#include "shell/room_features.h"
#include "site/stand_in_site.h"
#include "text/encoding.h"
#include "toolkit/memory_window.h"
#include "web/web_session.h"

namespace roomdesk {
namespace {

using namespace std::chrono_literals;

bool Eventually(const std::function<bool()>& done) {
    for (auto deadline = std::chrono::steady_clock::now() + 20s;
         std::chrono::steady_clock::now() < deadline; std::this_thread::sleep_for(10ms)) {
        if (done()) return true;
    }
    return done();
}

class RoomFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        AllowTransfers();
        ClearCookieStore();
        site_.SetToday(today_);
        site_.Start();
        window_.SetSleeper([](std::chrono::milliseconds) {});
        controller_ = std::make_unique<MainController>(
            window_, ShellConfig{settings_, site_.BaseUrl()}, [](int) {});
        AddRoomFeatures(*controller_, window_, site_.BaseUrl());
        controller_->OnMainWindowCreated();
    }
    void TearDown() override {
        controller_->OnMainWindowDestroying();
        std::filesystem::remove(settings_);
    }

    Text LastMessage() const {
        const auto messages = window_.Messages();
        return messages.empty() ? Text() : messages.back();
    }

    const std::string today_ = TodayLocalDate();
    site::StandInSite site_{site::SiteData::TwelveViewers(today_)};
    const std::filesystem::path settings_ =
        std::filesystem::temp_directory_path() /
        ("roomdesk-room-flow-" + std::to_string(::getpid()) + ".ini");
    MemoryWindow window_;
    std::unique_ptr<MainController> controller_;
};

TEST_F(RoomFlowTest, LogInRankTheWeekGrantCheckAndRemove) {
    window_.Edit("编辑框1").SetText("demo");
    window_.Edit("编辑框2").SetText("demo123");
    window_.Edit("编辑框3").SetText(site_.CaptchaDigits());
    ASSERT_TRUE(window_.Button("按钮4").Click());
    ASSERT_EQ(LastMessage(), Utf8ToAnsi("登录成功"));

    ASSERT_TRUE(window_.ChoosePopupItem("超级列表框4", "&更新排名"));
    ASSERT_TRUE(Eventually(
        [&] { return window_.Status("状态条1").GetText() == Utf8ToAnsi("更新完毕！"); }));
    MemoryListView& week = window_.List("超级列表框4");
    ASSERT_EQ(week.RowCount(), 10);
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(week.Cell(row, 1), Utf8ToAnsi("观众" + std::to_string(row + 1))) << row;
        EXPECT_EQ(week.Cell(row, 2), NumberToText(100 * (12 - row))) << row;
    }
    EXPECT_EQ(week.Cell(0, 0), Utf8ToAnsi("第一名"));
    EXPECT_EQ(week.Cell(9, 0), Utf8ToAnsi("第十名"));

    week.Select(1);
    ASSERT_TRUE(window_.ChoosePopupItem("超级列表框4", "&赐予房管"));
    EXPECT_EQ(LastMessage(), Utf8ToAnsi("谢主隆恩！！！"));

    MemoryListView& roster = window_.List("超级列表框9");
    ASSERT_TRUE(window_.ChoosePopupItem("超级列表框9", "检查后宫"));
    ASSERT_TRUE(Eventually(
        [&] { return window_.Status("状态条2").GetText() == Utf8ToAnsi("后宫检查完毕！"); }));
    int granted = -1;
    for (int row = 0; row < roster.RowCount(); ++row) {
        if (roster.Cell(row, 1) == Utf8ToAnsi("观众2")) granted = row;
    }
    ASSERT_EQ(roster.RowCount(), 2);
    ASSERT_NE(granted, -1);
    EXPECT_EQ(roster.Cell(granted, 2).substr(0, 10), today_);

    roster.Select(granted);
    const Text uid = roster.Cell(granted, 0);
    ASSERT_TRUE(window_.ChoosePopupItem("超级列表框9", "打入冷宫"));
    EXPECT_EQ(LastMessage(), Utf8ToAnsi("打入冷宫成功！请重新检查后宫！"));
    for (const auto& administrator : site_.Data().administrators) {
        EXPECT_NE(administrator.uid, uid);
    }
}

}  // namespace
}  // namespace roomdesk
