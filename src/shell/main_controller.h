// The main window's logic: the start-up steps of its created event, the wiring of its events to
// their handlers, and the steps of its close. The window itself (Qt, or in memory in tests)
// calls the two events. The controller owns the features, whose workers may run until the window
// has joined them: destroy the controller after the window.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "shell/feature.h"
#include "shell/shell_config.h"
#include "toolkit/window.h"

namespace roomdesk {

class MainController {
public:
    // `applySkin`(n) dresses the window in skin n (1 to 58); any other n applies no skin.
    MainController(Window& window, ShellConfig config, std::function<void(int)> applySkin);
    MainController(const MainController&) = delete;
    MainController& operator=(const MainController&) = delete;

    // Adds the rankings, the administrators, ...: their handlers are installed by the created
    // event (at once if it has run), their workers stopped at close.
    void AddFeature(std::unique_ptr<Feature> feature);

    // The window's created event, before it takes input, in this order: the account and the
    // password from the settings file (the boxes' texts as defaults), a captcha picture (waiting
    // for the site; a failure shows nothing), skin 17, "1分钟" in 组合框2 and "当天排名" in
    // 组合框3, 时钟1 stopped, 状态条1 hidden. Then the handlers: a left press on 图片框1 fetches a
    // new captcha, 按钮4 logs in, 按钮5 applies the skin chosen in 组合框1, and every feature's.
    void OnMainWindowCreated();

    // The window is about to go: writes the account, the password and the item values of the
    // items selected in 组合框2 and 组合框3 (-1 for none) to the settings file, reporting nothing
    // when a write fails; then asks every worker of the features to stop, aborts every transfer
    // so that they end quickly, and waits for them, three seconds at most, serving the window's
    // events meanwhile. Ending the process is the caller's.
    void OnMainWindowDestroying();

private:
    void InstallHandlers();
    void OnSkinButton();
    void StopWorkers();

    Window& window_;
    const ShellConfig config_;
    const std::function<void(int)> applySkin_;
    std::vector<std::unique_ptr<Feature>> features_;
    bool created_ = false;
};

}  // namespace roomdesk
