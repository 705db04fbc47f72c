#include "toolkit/main_window_layout.h"

namespace roomdesk {

namespace {

using Kind = ControlKind;

constexpr ParentPage kWindow{"", 0};
constexpr ParentPage kSettingsPage{"选择夹1", 0};
constexpr ParentPage kRankingPage{"选择夹1", 1};
constexpr ParentPage kAdminPage{"选择夹1", 2};
constexpr ParentPage kDayPage{"高级选择夹1", 0};
constexpr ParentPage kWeekPage{"高级选择夹1", 1};
constexpr ParentPage kMonthPage{"高级选择夹1", 2};
constexpr ParentPage kQuarterPage{"高级选择夹1", 3};

constexpr std::string_view kMainPages[] = {"设置", "排行", "房管"};
constexpr std::string_view kPeriodPages[] = {"当天", "本周", "本月", "季度"};

constexpr ListColumnSpec kColumns1[] = {{"排名", 45}, {"土豪ID", 100}, {"星豆", 45}};
constexpr ListColumnSpec kColumns2[] = {{"日排名", 50}, {"土豪ID", 120}, {"星豆", 50}};
constexpr ListColumnSpec kColumns3[] = {{"排名", 50}, {"土豪ID", 100}, {"星豆", 50}};
constexpr ListColumnSpec kColumns4[] = {{"周排名", 50}, {"土豪ID", 120}, {"星豆", 50}};
constexpr ListColumnSpec kColumns5[] = {{"排名", 50}, {"ID", 50}, {"星豆", 50}};
constexpr ListColumnSpec kColumns6[] = {{"月排名", 50}, {"土豪ID", 120}, {"星豆", 50}};
constexpr ListColumnSpec kColumns7[] = {{"D", 50}, {"D", 50}, {"D", 50}};
constexpr ListColumnSpec kColumns8[] = {{"季排名", 50}, {"土豪ID", 120}, {"星豆", 50}};
// Column 0 holds the administrator's uid and has no width, so the owner does not see it.
constexpr ListColumnSpec kColumns9[] = {{"ID", 0}, {"名称", 110}, {"任命时间", 110}};

constexpr ComboItemSpec kIntervalItems[] = {{"1分钟", 1},   {"2分钟", 2},   {"5分钟", 5},
                                            {"10分钟", 10}, {"30分钟", 30}, {"60分钟", 60}};
constexpr ComboItemSpec kPeriodItems[] = {
    {"当天排名", 1}, {"当周排名", 2}, {"当月排名", 3}, {"季度排名", 4}};
constexpr ComboItemSpec kSkinItems[] = {
    {"皮肤1", 1},  {"皮肤2", 0},  {"皮肤3", 0},  {"皮肤4", 0},  {"皮肤5", 0},  {"皮肤6", 0},
    {"皮肤7", 0},  {"皮肤8", 0},  {"皮肤9", 0},  {"皮肤10", 0}, {"皮肤11", 0}, {"皮肤12", 0},
    {"皮肤13", 0}, {"皮肤14", 0}, {"皮肤15", 0}, {"皮肤16", 0}, {"皮肤17", 0}, {"皮肤18", 0},
    {"皮肤19", 0}, {"皮肤20", 0}, {"皮肤21", 0}, {"皮肤22", 0}, {"皮肤23", 0}, {"皮肤24", 0},
    {"皮肤25", 0}, {"皮肤26", 0}, {"皮肤27", 0}, {"皮肤28", 0}, {"皮肤29", 0}, {"皮肤30", 0},
    {"皮肤31", 0}, {"皮肤32", 0}, {"皮肤33", 0}, {"皮肤34", 0}, {"皮肤35", 0}, {"皮肤36", 0},
    {"皮肤37", 0}, {"皮肤38", 0}, {"皮肤39", 0}, {"皮肤40", 0}, {"皮肤41", 0}, {"皮肤42", 0},
    {"皮肤43", 0}, {"皮肤44", 0}, {"皮肤45", 0}, {"皮肤46", 0}, {"皮肤47", 0}, {"皮肤48", 0},
    {"皮肤49", 0}, {"皮肤50", 0}, {"皮肤51", 0}, {"皮肤52", 0}, {"皮肤53", 0}, {"皮肤54", 0},
    {"皮肤55", 0}, {"皮肤56", 0}, {"皮肤57", 0}, {"皮肤58", 0}};

constexpr std::string_view kDayMenu[] = {"更新排名", "赐予房管"};
constexpr std::string_view kWeekMenu[] = {"&更新排名", "&赐予房管"};
constexpr std::string_view kMonthMenu[] = {"更&新排名", "赐&予房管"};
constexpr std::string_view kQuarterMenu[] = {"更新&排名", "赐予&房管"};
constexpr std::string_view kRosterMenu[] = {"检查后宫", "打入冷宫"};

constexpr MenuSpec kMenus[] = {
    {"菜单", kDayMenu},      {"菜单2", kWeekMenu}, {"菜单3", kMonthMenu},
    {"菜单4", kQuarterMenu}, {"cd5", kRosterMenu},
};

// One control per entry, in the order of the pages; positions are relative to the parent page.
// clang-format off
constexpr ControlSpec kControls[] = {
    {.name = "选择夹1", .kind = Kind::TabControl, .parent = kWindow, .place = {0, -2, 552, 416},
     .pages = kMainPages},

    // Page "设置".
    {.name = "标签1", .kind = Kind::Label, .parent = kSettingsPage, .place = {8, 32, 32, 24},
     .text = "帐号："},
    {.name = "编辑框1", .kind = Kind::EditBox, .parent = kSettingsPage, .place = {40, 32, 88, 24}},
    {.name = "标签2", .kind = Kind::Label, .parent = kSettingsPage, .place = {8, 64, 32, 24},
     .text = "密码："},
    {.name = "编辑框2", .kind = Kind::EditBox, .parent = kSettingsPage, .place = {40, 64, 88, 24},
     .password = true},
    {.name = "图片框1", .kind = Kind::PictureBox, .parent = kSettingsPage,
     .place = {8, 97, 120, 48}},
    {.name = "按钮4", .kind = Kind::Button, .parent = kSettingsPage, .place = {76, 149, 52, 32},
     .text = "登录"},
    {.name = "编辑框3", .kind = Kind::EditBox, .parent = kSettingsPage, .place = {8, 153, 64, 24}},
    {.name = "组合框2", .kind = Kind::ComboBox, .parent = kSettingsPage, .place = {136, 33, 80, 20},
     .items = kIntervalItems},
    {.name = "组合框3", .kind = Kind::ComboBox, .parent = kSettingsPage, .place = {136, 65, 80, 20},
     .items = kPeriodItems},
    {.name = "选择框1", .kind = Kind::CheckBox, .parent = kSettingsPage,
     .place = {136, 100, 72, 15}, .text = "开启定时"},
    {.name = "选择框3", .kind = Kind::CheckBox, .parent = kSettingsPage,
     .place = {136, 128, 80, 26}, .text = "显示排行榜\r\n状态条"},
    {.name = "组合框1", .kind = Kind::ComboBox, .parent = kSettingsPage, .place = {232, 40, 64, 20},
     .offView = true, .items = kSkinItems},
    {.name = "按钮5", .kind = Kind::Button, .parent = kSettingsPage, .place = {232, 64, 64, 32},
     .text = "更换皮肤", .offView = true},

    // Page "排行".
    {.name = "高级选择夹1", .kind = Kind::TabControl, .parent = kRankingPage,
     .place = {0, 20, 232, 172}, .pages = kPeriodPages},
    {.name = "状态条1", .kind = Kind::StatusBar, .parent = kRankingPage,
     .place = {0, 170, 224, 20}},

    // Page "当天" of 高级选择夹1: shown list, work list, finish button, two buttons without a
    // handler, the refresh timer and a timer without a handler.
    {.name = "超级列表框2", .kind = Kind::ListView, .parent = kDayPage, .place = {0, 0, 600, 150},
     .columns = kColumns2, .popupMenu = "菜单"},
    {.name = "超级列表框1", .kind = Kind::ListView, .parent = kDayPage,
     .place = {520, 16, 288, 405}, .offView = true, .columns = kColumns1},
    {.name = "按钮2", .kind = Kind::Button, .parent = kDayPage, .place = {352, 216, 56, 40},
     .offView = true},
    {.name = "按钮1", .kind = Kind::Button, .parent = kDayPage, .place = {296, 216, 40, 24},
     .text = "更新", .offView = true},
    {.name = "按钮3", .kind = Kind::Button, .parent = kDayPage, .place = {408, 216, 64, 40},
     .offView = true},
    {.name = "时钟1", .kind = Kind::Timer, .parent = kDayPage, .period = 0},
    {.name = "时钟2", .kind = Kind::Timer, .parent = kDayPage, .period = 1000},

    // Page "本周": shown list, work list, finish button, a button without a handler.
    {.name = "超级列表框4", .kind = Kind::ListView, .parent = kWeekPage, .place = {0, 0, 600, 150},
     .columns = kColumns4, .popupMenu = "菜单2"},
    {.name = "超级列表框3", .kind = Kind::ListView, .parent = kWeekPage,
     .place = {472, 13, 288, 248}, .offView = true, .columns = kColumns3},
    {.name = "按钮6", .kind = Kind::Button, .parent = kWeekPage, .place = {400, 165, 48, 32},
     .offView = true},
    {.name = "按钮7", .kind = Kind::Button, .parent = kWeekPage, .place = {416, 221, 32, 32},
     .offView = true},

    // Page "本月": shown list, work list, finish button.
    {.name = "超级列表框6", .kind = Kind::ListView, .parent = kMonthPage,
     .place = {0, 0, 600, 150}, .columns = kColumns6, .popupMenu = "菜单3"},
    {.name = "超级列表框5", .kind = Kind::ListView, .parent = kMonthPage,
     .place = {456, 21, 312, 296}, .offView = true, .columns = kColumns5},
    {.name = "按钮8", .kind = Kind::Button, .parent = kMonthPage, .place = {376, 165, 56, 56},
     .offView = true},

    // Page "季度": shown list, work list, finish button.
    {.name = "超级列表框8", .kind = Kind::ListView, .parent = kQuarterPage,
     .place = {0, 0, 600, 150}, .columns = kColumns8, .popupMenu = "菜单4"},
    {.name = "超级列表框7", .kind = Kind::ListView, .parent = kQuarterPage,
     .place = {464, 109, 320, 304}, .offView = true, .columns = kColumns7},
    {.name = "按钮9", .kind = Kind::Button, .parent = kQuarterPage, .place = {376, 277, 88, 40},
     .offView = true},

    // Page "房管".
    {.name = "超级列表框9", .kind = Kind::ListView, .parent = kAdminPage,
     .place = {0, 20, 392, 176}, .columns = kColumns9, .popupMenu = "cd5"},
    {.name = "状态条2", .kind = Kind::StatusBar, .parent = kAdminPage, .place = {0, 170, 224, 20}},
};
// clang-format on

constexpr WindowLayout kMainWindow{
    .caption = "roomdesk",
    .width = 227,
    .height = 215,
    .controls = kControls,
    .menus = kMenus,
};

}  // namespace

const WindowLayout& MainWindowLayout() { return kMainWindow; }

std::string_view ControlKindName(ControlKind kind) {
    switch (kind) {
        case Kind::TabControl:
            return "tab control";
        case Kind::Label:
            return "label";
        case Kind::EditBox:
            return "edit box";
        case Kind::PictureBox:
            return "picture box";
        case Kind::Button:
            return "push button";
        case Kind::ComboBox:
            return "combo box";
        case Kind::CheckBox:
            return "check box";
        case Kind::ListView:
            return "list view";
        case Kind::StatusBar:
            return "status bar";
        case Kind::Timer:
            return "timer";
    }
    return "control";
}

}  // namespace roomdesk
