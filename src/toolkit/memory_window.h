// A window held in memory: the Window of every headless test. It is built from a WindowLayout
// (the main window's by default) and adds drivers through which a test plays the user: clicks,
// menu choices, row selection, typing, timer ticks; and sees what the user would see: messages,
// status texts, pictures.
//
// The window's thread is the thread that built it. Handlers run on the thread of the driver that
// fires them. There is no event queue: Yield does nothing, and Wait only sleeps.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "toolkit/main_window_layout.h"
#include "toolkit/memory_controls.h"
#include "toolkit/memory_list_view.h"
#include "toolkit/window.h"

namespace roomdesk {

class MemoryWindow final : public Window {
public:
    using Sleeper = std::function<void(std::chrono::milliseconds)>;

    explicit MemoryWindow(const WindowLayout& layout = MainWindowLayout());
    // Stops and joins every worker before any control goes.
    ~MemoryWindow() override;

    MemoryListView& List(std::string_view name) override;
    MemoryStatusBar& Status(std::string_view name) override;
    MemoryEditBox& Edit(std::string_view name) override;
    MemoryComboBox& Combo(std::string_view name) override;
    MemoryCheckBox& Check(std::string_view name) override;
    MemoryPictureBox& Picture(std::string_view name) override;
    MemoryTimer& Clock(std::string_view name) override;
    Control& Get(std::string_view name) override;
    // A push button, for its Click driver.
    MemoryControl& Button(std::string_view name);

    void SetMenuHandler(std::string_view menu, std::string_view item,
                        std::function<void()> handler) override;
    // Records the text and returns at once, after the message hook (if any) has run.
    void ShowMessage(const Text& text) override;
    void Yield() override {}
    // Sleeps through the sleeper: std::this_thread::sleep_for unless a test set another.
    void Wait(int ms) override;
    bool OnWindowThread() const override;
    WorkerHandle StartThread(std::function<void()> routine) override;

    // Test drivers and observers.
    // The user right-clicks the list and chooses `item` from its popup menu; false when the
    // item has no handler. A list without a menu or an item the menu lacks aborts.
    bool ChoosePopupItem(std::string_view list, std::string_view item);
    // Every message shown so far, oldest first.
    std::vector<Text> Messages() const;
    // Runs on the showing thread with each message, while the message box would be open.
    void SetMessageHook(std::function<void(const Text&)> hook);
    // Replaces the sleeper of Wait, e.g. by one that returns at once and adds up the time.
    void SetSleeper(Sleeper sleeper);
    // The workers started through StartThread, for a test that waits for them all.
    WorkerPool& Workers() { return workers_; }

private:
    struct Entry {
        ControlKind kind;
        std::unique_ptr<Control> control;  // every kind but a timer
        std::unique_ptr<MemoryTimer> timer;
    };
    using MenuKey = std::pair<std::string, std::string>;

    const Entry& Lookup(std::string_view name, ControlKind kind) const;

    const std::thread::id windowThread_;
    std::map<std::string, Entry, std::less<>> controls_;          // fixed once built
    std::map<std::string, std::string, std::less<>> popupMenus_;  // list -> menu
    mutable std::mutex mutex_;                                    // guards what follows
    std::map<MenuKey, std::function<void()>> menuItems_;          // every item of every menu
    std::vector<Text> messages_;
    std::function<void(const Text&)> messageHook_;
    Sleeper sleeper_;
    WorkerPool workers_;
};

}  // namespace roomdesk
