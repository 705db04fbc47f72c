// The main window as data: every control with its kind, page, place, size, texts and state as the
// form creates it, every list column, combo item and popup menu. The in-memory window and the Qt
// window are both built from this one table.
//
// Texts here are UTF-8 (names, captions, headers, item texts, menu items); the windows convert
// them once when they build their controls, and every text that the logic later reads through the
// toolkit is Text in the system code page.
//
// The table holds the form. The window's created event then fills the account boxes, fetches the
// captcha, selects the interval and the period in the two combo boxes, stops 时钟1 and hides
// 状态条1.
#pragma once

#include <span>
#include <string_view>

namespace roomdesk {

enum class ControlKind {
    TabControl,
    Label,
    EditBox,
    PictureBox,
    Button,
    ComboBox,
    CheckBox,
    ListView,
    StatusBar,
    Timer,
};

// The kind as a phrase for messages: "list view", "combo box", ...
std::string_view ControlKindName(ControlKind kind);

// The control's parent: page `page` (from 0) of the tab control `tab`; an empty `tab` is the
// window itself.
struct ParentPage {
    std::string_view tab{};
    int page = 0;
};

// Position relative to the parent page and size, in pixels.
struct Placement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct ListColumnSpec {
    std::string_view header{};
    int width = 0;  // 0: a hidden column
};

struct ComboItemSpec {
    std::string_view text{};
    int value = 0;
};

struct ControlSpec {
    std::string_view name{};
    ControlKind kind = ControlKind::Label;
    ParentPage parent{};
    Placement place{};  // timers have none
    // The caption of a label, button or check box; the initial text of an edit box. A CR LF in
    // a check box's caption breaks it into two lines.
    std::string_view text{};
    // Beyond the window's visible area: it exists and works, but the user cannot see or reach it.
    // The off-view list views are in-memory lists in every window.
    bool offView = false;
    bool visible = true;
    bool checked = false;                       // check box
    bool password = false;                      // edit box showing every character as '*'
    int period = 0;                             // timer, in ms; 0 stopped
    std::span<const std::string_view> pages{};  // tab control, in order
    std::span<const ListColumnSpec> columns{};  // list view (report mode)
    std::span<const ComboItemSpec> items{};     // combo box, in order
    std::string_view popupMenu{};               // list view: the menu a right-click pops up
};

// A popup menu; an '&' in an item marks the mnemonic letter and is not displayed.
struct MenuSpec {
    std::string_view name{};
    std::span<const std::string_view> items{};
};

struct WindowLayout {
    std::string_view caption{};
    int width = 0;  // outer size; the window is centred on the screen and cannot be resized
    int height = 0;
    std::span<const ControlSpec> controls{};
    std::span<const MenuSpec> menus{};
};

const WindowLayout& MainWindowLayout();

// The caption of every message box.
inline constexpr std::string_view kMessageCaption = "信息：";
// A popup menu opens at the mouse position moved this many pixels right and down.
inline constexpr int kPopupMenuOffset = 3;

}  // namespace roomdesk
