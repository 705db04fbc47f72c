// The program's window with its logic, wired the way the program runs them: the Qt window, and
// the controller with the room's features (rankings, administrators), whose close handler writes
// the settings. The program, the demo's driver and the end-to-end test all start it this way.
#pragma once

#include <memory>

#include "app/qt_window.h"
#include "shell/main_controller.h"
#include "shell/shell_config.h"

namespace roomdesk {

class Desk {
public:
    // Builds the window and runs its created event (the settings read, a captcha fetched, skin
    // 17, every handler installed); the window is not shown yet. Needs a QApplication.
    explicit Desk(const ShellConfig& config);
    // Closes the window if it is open and joins its workers before the controller and its
    // features go.
    ~Desk();
    Desk(const Desk&) = delete;
    Desk& operator=(const Desk&) = delete;

    QtWindow& Window() { return *window_; }

private:
    std::unique_ptr<QtWindow> window_;
    std::unique_ptr<MainController> controller_;
};

}  // namespace roomdesk
