#include "toolkit/memory_window.h"

#include <cstdio>
#include <cstdlib>

#include "text/encoding.h"

namespace roomdesk {

namespace {

std::unique_ptr<Control> MakeControl(const ControlSpec& shape) {
    switch (shape.kind) {
        case ControlKind::ListView:
            return std::make_unique<MemoryListView>(static_cast<int>(shape.columns.size()));
        case ControlKind::StatusBar:
            return std::make_unique<MemoryStatusBar>();
        case ControlKind::EditBox:
            return std::make_unique<MemoryEditBox>(Utf8ToAnsi(shape.text));
        case ControlKind::ComboBox: {
            std::vector<ComboItem> items;
            items.reserve(shape.items.size());
            for (const ComboItemSpec& item : shape.items) {
                items.push_back({Utf8ToAnsi(item.text), item.value});
            }
            return std::make_unique<MemoryComboBox>(std::move(items));
        }
        case ControlKind::CheckBox:
            return std::make_unique<MemoryCheckBox>(shape.checked);
        case ControlKind::PictureBox:
            return std::make_unique<MemoryPictureBox>();
        case ControlKind::Timer:
            return nullptr;
        case ControlKind::TabControl:
        case ControlKind::Label:
        case ControlKind::Button:
            break;
    }
    return std::make_unique<MemoryControl>();
}

}  // namespace

MemoryWindow::MemoryWindow(const WindowLayout& layout)
    : windowThread_(std::this_thread::get_id()),
      sleeper_([](std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); }) {
    for (const ControlSpec& shape : layout.controls) {
        Entry entry{shape.kind, MakeControl(shape), nullptr};
        if (entry.control) {
            entry.control->SetVisible(shape.visible);
        } else {
            entry.timer = std::make_unique<MemoryTimer>(shape.period);
        }
        if (!controls_.emplace(shape.name, std::move(entry)).second) {
            std::fprintf(stderr, "roomdesk: two controls are named \"%.*s\"\n",
                         static_cast<int>(shape.name.size()), shape.name.data());
            std::abort();
        }
        if (!shape.popupMenu.empty()) popupMenus_.emplace(shape.name, shape.popupMenu);
    }
    for (const MenuSpec& menu : layout.menus) {
        for (std::string_view item : menu.items) {
            menuItems_.emplace(MenuKey(menu.name, item), nullptr);
        }
    }
}

MemoryWindow::~MemoryWindow() { workers_.StopAll(); }

const MemoryWindow::Entry& MemoryWindow::Lookup(std::string_view name, ControlKind kind) const {
    auto it = controls_.find(name);
    if (it == controls_.end()) AbortOnControlLookup(name, ControlKindName(kind), {});
    if (it->second.kind != kind) {
        AbortOnControlLookup(name, ControlKindName(kind), ControlKindName(it->second.kind));
    }
    return it->second;
}

MemoryListView& MemoryWindow::List(std::string_view name) {
    return static_cast<MemoryListView&>(*Lookup(name, ControlKind::ListView).control);
}

MemoryStatusBar& MemoryWindow::Status(std::string_view name) {
    return static_cast<MemoryStatusBar&>(*Lookup(name, ControlKind::StatusBar).control);
}

MemoryEditBox& MemoryWindow::Edit(std::string_view name) {
    return static_cast<MemoryEditBox&>(*Lookup(name, ControlKind::EditBox).control);
}

MemoryComboBox& MemoryWindow::Combo(std::string_view name) {
    return static_cast<MemoryComboBox&>(*Lookup(name, ControlKind::ComboBox).control);
}

MemoryCheckBox& MemoryWindow::Check(std::string_view name) {
    return static_cast<MemoryCheckBox&>(*Lookup(name, ControlKind::CheckBox).control);
}

MemoryPictureBox& MemoryWindow::Picture(std::string_view name) {
    return static_cast<MemoryPictureBox&>(*Lookup(name, ControlKind::PictureBox).control);
}

MemoryTimer& MemoryWindow::Clock(std::string_view name) {
    return *Lookup(name, ControlKind::Timer).timer;
}

Control& MemoryWindow::Get(std::string_view name) {
    auto it = controls_.find(name);
    if (it == controls_.end()) AbortOnControlLookup(name, "control", {});
    if (!it->second.control)
        AbortOnControlLookup(name, "control", ControlKindName(it->second.kind));
    return *it->second.control;
}

MemoryControl& MemoryWindow::Button(std::string_view name) {
    return static_cast<MemoryControl&>(*Lookup(name, ControlKind::Button).control);
}

void MemoryWindow::SetMenuHandler(std::string_view menu, std::string_view item,
                                  std::function<void()> handler) {
    std::lock_guard lock(mutex_);
    auto it = menuItems_.find(MenuKey(menu, item));
    if (it == menuItems_.end()) {
        AbortOnControlLookup(std::string(menu) + " / " + std::string(item), "menu item", {});
    }
    it->second = std::move(handler);
}

bool MemoryWindow::ChoosePopupItem(std::string_view list, std::string_view item) {
    Lookup(list, ControlKind::ListView);
    auto menu = popupMenus_.find(list);
    if (menu == popupMenus_.end()) AbortOnControlLookup(list, "list view with a popup menu", {});
    std::function<void()> handler;
    {
        std::lock_guard lock(mutex_);
        auto it = menuItems_.find(MenuKey(menu->second, item));
        if (it == menuItems_.end()) {
            AbortOnControlLookup(menu->second + " / " + std::string(item), "menu item", {});
        }
        handler = it->second;
    }
    if (!handler) return false;
    handler();
    return true;
}

void MemoryWindow::ShowMessage(const Text& text) {
    std::function<void(const Text&)> hook;
    {
        std::lock_guard lock(mutex_);
        messages_.push_back(text);
        hook = messageHook_;
    }
    if (hook) hook(text);
}

std::vector<Text> MemoryWindow::Messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

void MemoryWindow::SetMessageHook(std::function<void(const Text&)> hook) {
    std::lock_guard lock(mutex_);
    messageHook_ = std::move(hook);
}

void MemoryWindow::Wait(int ms) {
    if (ms <= 0) return;
    Sleeper sleeper;
    {
        std::lock_guard lock(mutex_);
        sleeper = sleeper_;
    }
    sleeper(std::chrono::milliseconds(ms));
}

void MemoryWindow::SetSleeper(Sleeper sleeper) {
    std::lock_guard lock(mutex_);
    sleeper_ = std::move(sleeper);
}

bool MemoryWindow::OnWindowThread() const { return std::this_thread::get_id() == windowThread_; }

WorkerHandle MemoryWindow::StartThread(std::function<void()> routine) {
    return workers_.Start(std::move(routine));
}

}  // namespace roomdesk
