// The window as the logic sees it: its controls by name and the window-wide operations.
//
// Controls are found by their names, the identifiers of the main window's layout
// (main_window_layout.h), written as UTF-8 literals: window.List("超级列表框2"). A name that the
// window does not have, or a control of another kind than asked for, is a programming error: the
// lookup prints the name and aborts the process. Nothing is ever created by a lookup.
#pragma once

#include <functional>
#include <string_view>

#include "text/text_ops.h"
#include "toolkit/controls.h"
#include "toolkit/worker.h"

namespace roomdesk {

class Window {
public:
    virtual ~Window() = default;

    virtual ListView& List(std::string_view name) = 0;
    virtual StatusBar& Status(std::string_view name) = 0;
    virtual EditBox& Edit(std::string_view name) = 0;
    virtual ComboBox& Combo(std::string_view name) = 0;
    virtual CheckBox& Check(std::string_view name) = 0;
    virtual PictureBox& Picture(std::string_view name) = 0;
    virtual Timer& Clock(std::string_view name) = 0;
    // Any control but a timer, whatever its kind (buttons, labels and tab controls included).
    virtual Control& Get(std::string_view name) = 0;

    // Runs `handler` on the window's thread when `item` (its text as the layout spells it, '&'
    // included) is chosen from the popup menu `menu`.
    virtual void SetMenuHandler(std::string_view menu, std::string_view item,
                                std::function<void()> handler) = 0;

    // A message box with the text, an OK button and the caption "信息："; returns when closed.
    virtual void ShowMessage(const Text& text) = 0;
    // On the window's thread, processes the pending events, if any, then returns; on any other
    // thread returns at once.
    virtual void Yield() = 0;
    // Returns after at least `ms` milliseconds; at once for 0 or less. On the window's thread the
    // window's events are processed meanwhile; on any other thread it is a plain pause.
    virtual void Wait(int ms) = 0;
    virtual bool OnWindowThread() const = 0;
    // Starts a worker thread running `routine`. The window's shut-down asks it to stop (see
    // ThisWorkerStopToken) and joins it.
    virtual WorkerHandle StartThread(std::function<void()> routine) = 0;
};

// What a lookup does with a name that the window lacks or that names a control of another kind:
// prints both to standard error and aborts. `wanted` is the kind asked for ("list view", ...);
// `found` is the kind the name has, empty when the window has no control of that name.
[[noreturn]] void AbortOnControlLookup(std::string_view name, std::string_view wanted,
                                       std::string_view found);

}  // namespace roomdesk
