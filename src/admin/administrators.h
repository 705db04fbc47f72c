// The room's administrators as the window offers them: the grant item of each shown ranking's
// popup menu, and the roster menu "cd5" with its check and its removal.
#pragma once

#include "admin/grant_admin.h"
#include "text/text_ops.h"
#include "toolkit/window.h"
#include "toolkit/worker.h"

namespace roomdesk {

class Administrators {
public:
    // `baseAddress` is the site's address, to which each request appends its path.
    Administrators(Window& window, Text baseAddress);

    // Sets the handlers of the four grant items ("菜单"/"赐予房管", "菜单2"/"&赐予房管",
    // "菜单3"/"赐&予房管", "菜单4"/"赐予&房管") and of "cd5"'s "检查后宫" and "打入冷宫".
    // The handlers hold this object: it must live as long as the window may run them.
    void Install();

    // "检查后宫": starts a roster check (CheckRoster) on a worker of its own and keeps its handle.
    // While the check started last is still running, the choice is ignored: that check already
    // shows "正在检查后宫！" and is filling the list, and a second worker would mix its rows
    // into the same list. Runs on the window's thread.
    void StartRosterCheck();

    // The handle of the roster check started last; empty before the first.
    WorkerHandle RosterWorker() const { return rosterWorkerSlot_; }

private:
    Window& window_;
    const Text baseAddress_;
    // Read and written on the window's thread only.
    WorkerHandle rosterWorkerSlot_;
};

}  // namespace roomdesk
