// The rankings as the window sees them: the four period updates and the timed refresh, with the
// window's events that run them.
#pragma once

#include <vector>

#include "ranking/rank_period.h"
#include "ranking/rank_update.h"
#include "toolkit/window.h"

namespace roomdesk {

class Rankings {
public:
    // Requests go to `baseAddress` followed by a path; `today` gives the date of each update.
    Rankings(Window& window, Text baseAddress, TodayFunction today = TodayLocalDate);

    // Sets the window's handlers: each period's update menu item (StartRankUpdate) and finish
    // button (OnFinishButton), the timer switch 选择框1, the status-bar switch 选择框3 and the
    // tick of 时钟1. The handlers refer to this object, which must outlive the window's events.
    // The grant items of the period menus are not touched.
    void Install();

    RankUpdates& Updates() { return updates_; }
    // The four periods' worker slots (empty handles among them), for the window's close to stop
    // and wait for.
    std::vector<WorkerHandle> Workers() const;

private:
    Window& window_;
    RankUpdates updates_;
};

}  // namespace roomdesk
