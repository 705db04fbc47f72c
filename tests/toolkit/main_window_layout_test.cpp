#include "toolkit/main_window_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "text/encoding.h"

namespace roomdesk {
namespace {

const WindowLayout& Layout() { return MainWindowLayout(); }

const ControlSpec* FindSpec(std::string_view name) {
    for (const ControlSpec& spec : Layout().controls) {
        if (spec.name == name) return &spec;
    }
    return nullptr;
}

// Every text of the table reaches the windows as UTF-8. GB18030 bytes written by mistake are no
// well-formed UTF-8, and the conversion would replace them.
bool IsUtf8(std::string_view text) { return AnsiToUtf8(Utf8ToAnsi(text)) == text; }

TEST(MainWindowLayoutTest, NamesAreUniqueAndEveryTextIsUtf8) {
    std::set<std::string_view> names;
    for (const ControlSpec& spec : Layout().controls) {
        SCOPED_TRACE(std::string(spec.name));
        EXPECT_FALSE(spec.name.empty());
        EXPECT_TRUE(names.insert(spec.name).second) << "name used twice";
        std::vector<std::string_view> texts = {spec.name, spec.text, spec.popupMenu};
        for (std::string_view page : spec.pages) texts.push_back(page);
        for (const ListColumnSpec& column : spec.columns) texts.push_back(column.header);
        for (const ComboItemSpec& item : spec.items) texts.push_back(item.text);
        for (std::string_view text : texts) EXPECT_TRUE(IsUtf8(text)) << text;
    }
    std::set<std::string_view> menus;
    for (const MenuSpec& menu : Layout().menus) {
        EXPECT_TRUE(menus.insert(menu.name).second) << menu.name;
        EXPECT_FALSE(names.contains(menu.name)) << menu.name << " names a control and a menu";
        std::set<std::string_view> items;
        for (std::string_view item : menu.items) {
            EXPECT_TRUE(IsUtf8(item)) << item;
            EXPECT_TRUE(items.insert(item).second) << menu.name << ": " << item;
        }
    }
    EXPECT_TRUE(IsUtf8(kMessageCaption));
}

TEST(MainWindowLayoutTest, EachKindCarriesOnlyItsOwnData) {
    for (const ControlSpec& spec : Layout().controls) {
        SCOPED_TRACE(std::string(spec.name));
        const ControlKind kind = spec.kind;
        EXPECT_EQ(spec.columns.empty(), kind != ControlKind::ListView);
        if (kind == ControlKind::ListView) {
            EXPECT_EQ(spec.columns.size(), 3u) << "every list view has three columns";
        }
        EXPECT_EQ(!spec.items.empty(), kind == ControlKind::ComboBox);
        EXPECT_EQ(!spec.pages.empty(), kind == ControlKind::TabControl);
        EXPECT_TRUE(spec.popupMenu.empty() || kind == ControlKind::ListView);
        EXPECT_TRUE(!spec.password || kind == ControlKind::EditBox);
        EXPECT_TRUE(!spec.checked || kind == ControlKind::CheckBox);
        EXPECT_TRUE(spec.period == 0 || kind == ControlKind::Timer);
        EXPECT_GE(spec.period, 0);
        if (kind == ControlKind::Timer) {
            EXPECT_EQ(spec.place.width, 0);
            EXPECT_EQ(spec.place.height, 0);
            EXPECT_FALSE(spec.offView);
        } else {
            EXPECT_GT(spec.place.width, 0);
            EXPECT_GT(spec.place.height, 0);
        }
    }
}

TEST(MainWindowLayoutTest, EveryControlSitsOnAnExistingPage) {
    for (const ControlSpec& spec : Layout().controls) {
        SCOPED_TRACE(std::string(spec.name));
        // Walk up to the window; a chain longer than the table would be a cycle.
        const ControlSpec* child = &spec;
        std::size_t depth = 0;
        while (!child->parent.tab.empty()) {
            const ControlSpec* tab = FindSpec(child->parent.tab);
            ASSERT_NE(tab, nullptr) << "no control " << child->parent.tab;
            ASSERT_EQ(tab->kind, ControlKind::TabControl);
            EXPECT_GE(child->parent.page, 0);
            EXPECT_LT(static_cast<std::size_t>(child->parent.page), tab->pages.size());
            child = tab;
            ASSERT_LT(++depth, Layout().controls.size());
        }
    }
}

TEST(MainWindowLayoutTest, EveryMenuIsPoppedUpByOneListAndEveryPopupExists) {
    std::map<std::string_view, int> poppedBy;
    for (const MenuSpec& menu : Layout().menus) poppedBy[menu.name] = 0;
    for (const ControlSpec& spec : Layout().controls) {
        if (spec.popupMenu.empty()) continue;
        ASSERT_TRUE(poppedBy.contains(spec.popupMenu)) << spec.name << ": " << spec.popupMenu;
        ++poppedBy[spec.popupMenu];
    }
    for (const auto& [menu, lists] : poppedBy) EXPECT_EQ(lists, 1) << menu;
}

// The window shows the upper left part of its pages only. A control marked off-view starts
// beyond the window's right edge; every other control starts inside the window.
TEST(MainWindowLayoutTest, OffViewControlsLieBeyondTheWindow) {
    for (const ControlSpec& spec : Layout().controls) {
        if (spec.kind == ControlKind::Timer) continue;
        EXPECT_EQ(spec.offView, spec.place.x >= Layout().width) << spec.name;
        EXPECT_TRUE(spec.offView || spec.place.y < Layout().height) << spec.name;
    }
}

}  // namespace
}  // namespace roomdesk
