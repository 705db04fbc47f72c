// The Qt main window: the toolkit's Window over Qt widgets, built from a WindowLayout (the main
// window's by default). Every control of the layout is a real widget named after the control,
// except the off-view list views, which are in-memory lists (MemoryListView) that the logic uses
// as the store of an update. Every operation may be called from any thread (ui_thread.h).
//
// Closing. When the user closes the window (or it is destroyed without having been closed), on
// the window's thread, in this order:
//  1. calls from other threads are refused from now on, and those already queued are answered,
//     so no worker waits for the window's thread any more;
//  2. both timers stop, every web transfer is aborted and every worker is asked to stop;
//  3. the close handler runs (it can still read every control);
//  4. the window waits, painting but taking no input, until no worker runs (a few seconds at
//     most), then joins the workers.
// A worker call that has itself opened an event loop on the window's thread (a worker's message
// box) cannot end before that loop does; closing from inside it skips step 4, and the destructor
// joins the workers instead. A worker's calls after step 1 return at once with a neutral value
// (the empty text, 0, false, -1 for an index) and touch no widget.
#pragma once

#include <QMenu>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "app/main_frame.h"
#include "app/ui_thread.h"
#include "toolkit/main_window_layout.h"
#include "toolkit/window.h"

namespace roomdesk {

class QtWindow final : public Window {
public:
    // Needs a QApplication; builds the window hidden.
    explicit QtWindow(const WindowLayout& layout = MainWindowLayout());
    // Closes the window if it is still open, joins every worker, then destroys the controls.
    ~QtWindow() override;

    ListView& List(std::string_view name) override;
    StatusBar& Status(std::string_view name) override;
    EditBox& Edit(std::string_view name) override;
    ComboBox& Combo(std::string_view name) override;
    CheckBox& Check(std::string_view name) override;
    PictureBox& Picture(std::string_view name) override;
    Timer& Clock(std::string_view name) override;
    Control& Get(std::string_view name) override;

    void SetMenuHandler(std::string_view menu, std::string_view item,
                        std::function<void()> handler) override;
    void ShowMessage(const Text& text) override;
    void Yield() override;
    void Wait(int ms) override;
    bool OnWindowThread() const override;
    WorkerHandle StartThread(std::function<void()> routine) override;

    // Runs once, on the window's thread, at step 3 of closing.
    void SetCloseHandler(std::function<void()> handler);
    // Shows the window centred on the screen.
    void Show();
    // The top-level widget.
    QWidget& Frame() { return *frame_; }
    // The popup menu of that name, as the layout spells it.
    QMenu& Menu(std::string_view name);
    // True from the start of closing on.
    bool Closed() const { return closed_; }

private:
    struct Entry {
        ControlKind kind;
        std::unique_ptr<Control> control;  // every kind but a timer
        std::unique_ptr<Timer> timer;
    };
    using MenuKey = std::pair<std::string, std::string>;

    void Build(const WindowLayout& layout);
    void BuildMenus(const WindowLayout& layout);
    Control& Lookup(std::string_view name, ControlKind kind);
    void Close();
    void JoinWorkers();

    WindowThread thread_;
    std::unique_ptr<MainFrame> frame_;
    std::map<std::string, Entry, std::less<>> controls_;
    std::map<std::string, QMenu*, std::less<>> menus_;       // owned by the frame
    std::map<MenuKey, std::function<void()>> menuHandlers_;  // window's thread only
    std::function<void()> closeHandler_;
    bool closed_ = false;
    WorkerPool workers_;  // declared last: joined before anything else goes
};

}  // namespace roomdesk
