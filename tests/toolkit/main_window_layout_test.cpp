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
    for (const ControlSpec& shape : Layout().controls) {
        if (shape.name == name) return &shape;
    }
    return nullptr;
}

// Every text of the table reaches the windows as UTF-8. GB18030 bytes written by mistake are no
// well-formed UTF-8, and the conversion would replace them.
bool IsUtf8(std::string_view text) { return AnsiToUtf8(Utf8ToAnsi(text)) == text; }

TEST(MainWindowLayoutTest, NamesAreUniqueAndEveryTextIsUtf8) {
    std::set<std::string_view> names;
    for (const ControlSpec& shape : Layout().controls) {
        SCOPED_TRACE(std::string(shape.name));
        EXPECT_FALSE(shape.name.empty());
        EXPECT_TRUE(names.insert(shape.name).second) << "name used twice";
        std::vector<std::string_view> texts = {shape.name, shape.text, shape.popupMenu};
        for (std::string_view page : shape.pages) texts.push_back(page);
        for (const ListColumnSpec& column : shape.columns) texts.push_back(column.header);
        for (const ComboItemSpec& item : shape.items) texts.push_back(item.text);
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
    for (const ControlSpec& shape : Layout().controls) {
        SCOPED_TRACE(std::string(shape.name));
        const ControlKind kind = shape.kind;
        EXPECT_EQ(shape.columns.empty(), kind != ControlKind::ListView);
        if (kind == ControlKind::ListView) {
            EXPECT_EQ(shape.columns.size(), 3u) << "every list view has three columns";
        }
        EXPECT_EQ(!shape.items.empty(), kind == ControlKind::ComboBox);
        EXPECT_EQ(!shape.pages.empty(), kind == ControlKind::TabControl);
        EXPECT_TRUE(shape.popupMenu.empty() || kind == ControlKind::ListView);
        EXPECT_TRUE(!shape.password || kind == ControlKind::EditBox);
        EXPECT_TRUE(!shape.checked || kind == ControlKind::CheckBox);
        EXPECT_TRUE(shape.period == 0 || kind == ControlKind::Timer);
        EXPECT_GE(shape.period, 0);
        if (kind == ControlKind::Timer) {
            EXPECT_EQ(shape.place.width, 0);
            EXPECT_EQ(shape.place.height, 0);
            EXPECT_FALSE(shape.offView);
        } else {
            EXPECT_GT(shape.place.width, 0);
            EXPECT_GT(shape.place.height, 0);
        }
    }
}

TEST(MainWindowLayoutTest, EveryControlSitsOnAnExistingPage) {
    for (const ControlSpec& shape : Layout().controls) {
        SCOPED_TRACE(std::string(shape.name));
        // Walk up to the window; a chain longer than the table would be a cycle.
        const ControlSpec* child = &shape;
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
    for (const ControlSpec& shape : Layout().controls) {
        if (shape.popupMenu.empty()) continue;
        ASSERT_TRUE(poppedBy.contains(shape.popupMenu)) << shape.name << ": " << shape.popupMenu;
        ++poppedBy[shape.popupMenu];
    }
    for (const auto& [menu, lists] : poppedBy) EXPECT_EQ(lists, 1) << menu;
}

// The window shows the upper left part of its pages only. A control marked off-view starts
// beyond the window's right edge; every other control starts inside the window.
TEST(MainWindowLayoutTest, OffViewControlsLieBeyondTheWindow) {
    for (const ControlSpec& shape : Layout().controls) {
        if (shape.kind == ControlKind::Timer) continue;
        EXPECT_EQ(shape.offView, shape.place.x >= Layout().width) << shape.name;
        EXPECT_TRUE(shape.offView || shape.place.y < Layout().height) << shape.name;
    }
}

}  // namespace
}  // namespace roomdesk
