#include "toolkit/memory_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "text/encoding.h"

namespace roomdesk {
namespace {

using namespace std::chrono_literals;

TEST(MemoryWindowTest, MainWindowHasEveryControlOfTheLayoutUnderItsKind) {
    MemoryWindow window;
    for (const ControlSpec& shape : MainWindowLayout().controls) {
        SCOPED_TRACE(std::string(shape.name));
        switch (shape.kind) {
            case ControlKind::ListView:
                EXPECT_EQ(window.List(shape.name).ColumnCount(),
                          static_cast<int>(shape.columns.size()));
                EXPECT_EQ(window.List(shape.name).Mode(), ListView::ViewMode::Report);
                break;
            case ControlKind::ComboBox:
                EXPECT_EQ(window.Combo(shape.name).ItemCount(),
                          static_cast<int>(shape.items.size()));
                EXPECT_EQ(window.Combo(shape.name).SelectedIndex(), -1);
                break;
            case ControlKind::Timer:
                EXPECT_EQ(window.Clock(shape.name).Period(), shape.period);
                continue;
            case ControlKind::CheckBox:
                EXPECT_EQ(window.Check(shape.name).IsChecked(), shape.checked);
                break;
            case ControlKind::EditBox:
                EXPECT_EQ(window.Edit(shape.name).GetText(), Utf8ToAnsi(shape.text));
                break;
            case ControlKind::StatusBar:
                EXPECT_EQ(window.Status(shape.name).GetText(), "");
                break;
            case ControlKind::PictureBox:
                EXPECT_EQ(window.Picture(shape.name).PictureCount(), 0);
                break;
            case ControlKind::Button:
                window.Button(shape.name);
                break;
            case ControlKind::TabControl:
            case ControlKind::Label:
                break;
        }
        EXPECT_EQ(window.Get(shape.name).IsVisible(), shape.visible);
        EXPECT_TRUE(window.Get(shape.name).IsEnabled());
    }
}

// The logic reads and selects combo items in the system code page.
TEST(MemoryWindowTest, ComboItemsArriveAsText) {
    MemoryWindow window;
    MemoryComboBox& interval = window.Combo("组合框2");
    ASSERT_TRUE(interval.SelectByText(Utf8ToAnsi("30")));
    EXPECT_EQ(interval.GetText(), Utf8ToAnsi("30分钟"));
    EXPECT_EQ(interval.ItemValue(interval.SelectedIndex()), 30);

    MemoryComboBox& period = window.Combo("组合框3");
    ASSERT_TRUE(period.SelectByText(Utf8ToAnsi("季度排名")));
    EXPECT_EQ(period.ItemValue(period.SelectedIndex()), 4);
    period.Type(Utf8ToAnsi("季度"));
    EXPECT_EQ(period.ItemValue(period.SelectedIndex()), -1) << "typed text matching no item";
}

TEST(MemoryWindowDeathTest, UnknownNamesAndWrongKindsAbortWithTheName) {
    MemoryWindow window;
    EXPECT_DEATH(window.List("超级列表框10"), "no list view named \"超级列表框10\"");
    EXPECT_DEATH(window.Status("超级列表框1"),
                 "\"超级列表框1\": asked for status bar, found list view");
    EXPECT_DEATH(window.Edit("组合框2"), "asked for edit box, found combo box");
    EXPECT_DEATH(window.Get("时钟1"), "\"时钟1\": asked for control, found timer");
    EXPECT_DEATH(window.Clock("时钟3"), "no timer named \"时钟3\"");
    EXPECT_DEATH(window.Button("标签1"), "asked for push button, found label");
    // A menu item is spelled as the layout spells it, mnemonic '&' included.
    EXPECT_DEATH(window.SetMenuHandler("菜单2", "更新排名", [] {}), "菜单2 / 更新排名");
    EXPECT_DEATH(window.ChoosePopupItem("超级列表框1", "更新排名"), "popup menu");
}

TEST(MemoryWindowTest, PopupItemsRunTheirHandlersOnTheirListOnly) {
    MemoryWindow window;
    std::vector<std::string> ran;
    window.SetMenuHandler("菜单2", "&更新排名", [&] { ran.push_back("week update"); });
    window.SetMenuHandler("菜单", "更新排名", [&] { ran.push_back("day update"); });
    window.SetMenuHandler("cd5", "打入冷宫", [&] { ran.push_back("removal"); });

    EXPECT_TRUE(window.ChoosePopupItem("超级列表框4", "&更新排名"));
    EXPECT_TRUE(window.ChoosePopupItem("超级列表框9", "打入冷宫"));
    EXPECT_FALSE(window.ChoosePopupItem("超级列表框9", "检查后宫")) << "no handler set";
    EXPECT_EQ(ran, (std::vector<std::string>{"week update", "removal"}));

    window.SetMenuHandler("菜单2", "&更新排名", nullptr);
    EXPECT_FALSE(window.ChoosePopupItem("超级列表框4", "&更新排名"));
}

TEST(MemoryWindowTest, MessagesAreRecordedInOrderAndTheHookSeesEach) {
    MemoryWindow window;
    std::vector<int> pictureCountAtMessage;
    window.SetMessageHook([&](const Text& text) {
        EXPECT_EQ(window.Messages().back(), text);
        pictureCountAtMessage.push_back(window.Picture("图片框1").PictureCount());
    });
    window.ShowMessage("one");
    window.Picture("图片框1").SetPicture("img");
    window.ShowMessage("");
    EXPECT_EQ(window.Messages(), (std::vector<Text>{"one", ""}));
    EXPECT_EQ(pictureCountAtMessage, (std::vector<int>{0, 1}));
}

TEST(MemoryWindowTest, WaitSleepsThroughTheSleeperOnlyForPositiveTimes) {
    MemoryWindow window;
    const auto start = std::chrono::steady_clock::now();
    window.Wait(30);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 30ms) << "the default wait really waits";

    std::vector<std::chrono::milliseconds> slept;
    window.SetSleeper([&](std::chrono::milliseconds ms) { slept.push_back(ms); });
    for (int ms : {1000, 0, -5, 1}) window.Wait(ms);
    EXPECT_EQ(slept, (std::vector<std::chrono::milliseconds>{1000ms, 1ms}));
}

TEST(MemoryWindowTest, WorkersAreOffTheWindowThreadAndEndWithTheWindow) {
    std::atomic<bool> onWindowThread = true;
    std::atomic<bool> stopped = false;
    WorkerHandle worker;
    {
        MemoryWindow window;
        EXPECT_TRUE(window.OnWindowThread());
        worker = window.StartThread([&] {
            onWindowThread = window.OnWindowThread();
            while (!ThisWorkerStopToken().stop_requested()) std::this_thread::sleep_for(1ms);
            // Controls still exist while the window joins its workers.
            window.Status("状态条1").SetText("stopped");
            stopped = true;
        });
        EXPECT_TRUE(worker.Running());
    }
    EXPECT_FALSE(onWindowThread);
    EXPECT_TRUE(stopped);
    EXPECT_FALSE(worker.Running());
}

TEST(MemoryWindowTest, ButtonsObeyTheirEnabledState) {
    MemoryWindow window;
    int logins = 0;
    window.Get("按钮4").SetClickHandler([&] { ++logins; });
    EXPECT_TRUE(window.Button("按钮4").Click());
    window.Get("按钮4").SetEnabled(false);
    EXPECT_FALSE(window.Button("按钮4").Click());
    EXPECT_EQ(logins, 1);
}

}  // namespace
}  // namespace roomdesk
