#include "toolkit/memory_controls.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace roomdesk {
namespace {

// GB18030 bytes of a few texts.
const Text kOneMinute = "1\xB7\xD6\xD6\xD3";      // 1分钟
const Text kSkin10 = "\xC6\xA4\xB7\xF4\x31\x30";  // 皮肤10
const Text kSkin1 = "\xC6\xA4\xB7\xF4\x31";       // 皮肤1
const Text kLowerTrail = "\x81\x61";              // a character whose trail byte is 'a'
const Text kUpperTrail = "\x81\x41";              // another one, whose trail byte is 'A'

MemoryComboBox MakeCombo() {
    return MemoryComboBox({{kOneMinute, 1},
                           {"Apple", 2},
                           {"apricot", 3},
                           {kSkin10, 10},
                           {kSkin1, 11},
                           {kLowerTrail, 20}});
}

TEST(MemoryComboBoxTest, SelectByTextTakesTheFirstItemThatBeginsWithTheText) {
    struct Case {
        const char* what;
        Text prefix;
        bool found;
        int index;  // the selection afterwards; 2 ("apricot") stands before each case
    };
    const Case cases[] = {
        {"whole text", kOneMinute, true, 0},
        {"leading digit only", "1", true, 0},
        {"prefix of two items, first wins", "ap", true, 1},
        {"ASCII case ignored", "APR", true, 2},
        {"mixed case", "aPpLe", true, 1},
        {"empty text begins every item", "", true, 0},
        {"first of two items with that beginning", kSkin1, true, 3},
        {"longer than any item", "Apples", false, 2},
        {"no item", "banana", false, 2},
        {"text inside an item but not at its start", "pple", false, 2},
        {"a trail byte is not a letter to fold", kUpperTrail, false, 2},
        {"the trail byte matching exactly", kLowerTrail, true, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryComboBox combo = MakeCombo();
        ASSERT_TRUE(combo.SelectByText("apricot"));
        EXPECT_EQ(combo.SelectByText(c.prefix), c.found);
        EXPECT_EQ(combo.SelectedIndex(), c.index);
        EXPECT_EQ(combo.GetText(), combo.ItemText(c.index)) << "the field shows the selected item";
    }
}

TEST(MemoryComboBoxTest, TypedTextSelectsOnlyAnItemOfExactlyThatText) {
    struct Case {
        const char* what;
        Text typed;
        int index;
    };
    const Case cases[] = {
        {"an item's text", "Apple", 1},
        {"an item's text in another case", "apple", -1},
        {"a prefix of an item", "App", -1},
        {"no item", "12", -1},
        {"empty", "", -1},
        {"a Chinese item", kSkin1, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryComboBox combo = MakeCombo();
        combo.SelectByText(kSkin10);
        combo.Type(c.typed);
        EXPECT_EQ(combo.GetText(), c.typed);
        EXPECT_EQ(combo.SelectedIndex(), c.index);
        EXPECT_EQ(combo.ItemValue(combo.SelectedIndex()),
                  c.index < 0 ? -1 : combo.ItemValue(c.index));
    }
}

TEST(MemoryComboBoxTest, ItemsOutsideTheListHaveValueMinusOneAndNoText) {
    MemoryComboBox combo = MakeCombo();
    EXPECT_EQ(combo.SelectedIndex(), -1) << "nothing is selected at first";
    struct Case {
        int index;
        int value;
        Text text;
    };
    const Case cases[] = {
        {0, 1, kOneMinute}, {5, 20, kLowerTrail}, {-1, -1, ""},
        {6, -1, ""},        {INT_MAX, -1, ""},    {INT_MIN, -1, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(combo.ItemValue(c.index), c.value) << c.index;
        EXPECT_EQ(combo.ItemText(c.index), c.text) << c.index;
    }
    EXPECT_EQ(MemoryComboBox({}).ItemValue(0), -1);
}

// One step of a timer script: set a period, or let time pass and count the ticks.
struct TimerStep {
    enum { kSetPeriod, kAdvance } action;
    int ms;
    int ticks = 0;  // for kAdvance: the ticks expected in that time
};

TEST(MemoryTimerTest, PeriodRules) {
    struct Case {
        const char* what;
        std::vector<TimerStep> steps;
        int finalPeriod;
    };
    const Case cases[] = {
        {"ticks every period",
         {{TimerStep::kSetPeriod, 100},
          {TimerStep::kAdvance, 250, 2},
          {TimerStep::kAdvance, 50, 1}},
         100},
        {"the time to the first tick is a whole period",
         {{TimerStep::kSetPeriod, 100}, {TimerStep::kAdvance, 99, 0}, {TimerStep::kAdvance, 1, 1}},
         100},
        {"stopped at first", {{TimerStep::kAdvance, 100000, 0}}, 0},
        {"0 stops",
         {{TimerStep::kSetPeriod, 100}, {TimerStep::kSetPeriod, 0}, {TimerStep::kAdvance, 1000, 0}},
         0},
        {"negative stops",
         {{TimerStep::kSetPeriod, 100},
          {TimerStep::kSetPeriod, -5},
          {TimerStep::kAdvance, 1000, 0}},
         0},
        {"the same period again restarts the count",
         {{TimerStep::kSetPeriod, 100},
          {TimerStep::kAdvance, 60, 0},
          {TimerStep::kSetPeriod, 100},
          {TimerStep::kAdvance, 60, 0},
          {TimerStep::kAdvance, 40, 1}},
         100},
        {"a new period counts from the change",
         {{TimerStep::kSetPeriod, 100},
          {TimerStep::kAdvance, 90, 0},
          {TimerStep::kSetPeriod, 300},
          {TimerStep::kAdvance, 299, 0},
          {TimerStep::kAdvance, 1, 1}},
         300},
        {"restarted after a stop",
         {{TimerStep::kSetPeriod, 100},
          {TimerStep::kAdvance, 50, 0},
          {TimerStep::kSetPeriod, 0},
          {TimerStep::kSetPeriod, 100},
          {TimerStep::kAdvance, 50, 0},
          {TimerStep::kAdvance, 50, 1}},
         100},
        {"an hour", {{TimerStep::kSetPeriod, 3600000}, {TimerStep::kAdvance, 7200000, 2}}, 3600000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryTimer timer;
        int handled = 0;
        timer.SetTickHandler([&] { ++handled; });
        int expectedTicks = 0;
        for (const TimerStep& step : c.steps) {
            if (step.action == TimerStep::kSetPeriod) {
                timer.SetPeriod(step.ms);
            } else {
                EXPECT_EQ(timer.Advance(step.ms), step.ticks);
                expectedTicks += step.ticks;
            }
        }
        EXPECT_EQ(handled, expectedTicks);
        EXPECT_EQ(timer.Period(), c.finalPeriod);
    }
}

TEST(MemoryTimerTest, TickHandlerMayChangeThePeriod) {
    MemoryTimer stopping(100);
    stopping.SetTickHandler([&] { stopping.SetPeriod(0); });
    EXPECT_EQ(stopping.Advance(1000), 1) << "a tick that stops the timer is its last";

    MemoryTimer slowing(100);
    slowing.SetTickHandler([&] { slowing.SetPeriod(300); });
    // Ticks at 100, then every 300 ms counted from each tick: 400, 700, 1000.
    EXPECT_EQ(slowing.Advance(1000), 4);

    MemoryTimer fired(0);
    int ticks = 0;
    fired.SetTickHandler([&] { ++ticks; });
    EXPECT_FALSE(fired.Fire()) << "a stopped timer does not tick";
    fired.SetPeriod(500);
    fired.Advance(400);
    EXPECT_TRUE(fired.Fire());
    EXPECT_EQ(fired.Advance(499), 0) << "the next tick is a whole period after the fired one";
    EXPECT_EQ(ticks, 1);
}

TEST(MemoryCheckBoxTest, UserClickTogglesBeforeTheHandlerRuns) {
    MemoryCheckBox box;
    std::vector<bool> seen;
    box.SetClickHandler([&] { seen.push_back(box.IsChecked()); });
    EXPECT_TRUE(box.Click());
    EXPECT_TRUE(box.Click());
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));

    box.SetChecked(true);
    EXPECT_EQ(seen.size(), 2u) << "setting the state is no click";

    box.SetEnabled(false);
    EXPECT_FALSE(box.Click());
    box.SetEnabled(true);
    box.SetVisible(false);
    EXPECT_FALSE(box.Click());
    EXPECT_TRUE(box.IsChecked()) << "a disabled or hidden box cannot be toggled";
    EXPECT_EQ(seen.size(), 2u);
}

TEST(MemoryPictureBoxTest, KeepsTheLastBytesWithTheirNulBytes) {
    MemoryPictureBox box;
    const Bytes png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    box.SetPicture(png);
    EXPECT_EQ(box.PictureBytes(), png);
    box.SetPicture({});
    EXPECT_EQ(box.PictureBytes(), "");
    EXPECT_EQ(box.PictureCount(), 2);
}

}  // namespace
}  // namespace roomdesk
