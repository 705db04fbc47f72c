#include "ranking/rankings.h"

#include <utility>

#include "ranking/timed_refresh.h"
#include "ranking/top_ten.h"

namespace roomdesk {

Rankings::Rankings(Window& window, Text baseAddress, TodayFunction today)
    : window_(window), updates_(window, std::move(baseAddress), std::move(today)) {}

void Rankings::Install() {
    for (const RankPeriod& period : kRankPeriods) {
        window_.SetMenuHandler(period.updateMenu, period.updateItem,
                               [this, &period] { updates_.StartRankUpdate(period); });
        window_.Get(period.finishButton).SetClickHandler([this, &period] {
            updates_.OnFinishButton(period);
        });
    }
    window_.Get(kRefreshSwitch).SetClickHandler([this] { OnTimedRefreshSwitch(window_); });
    window_.Get(kStatusBarSwitch).SetClickHandler([this] { OnStatusBarSwitch(window_); });
    window_.Clock(kRefreshTimer).SetTickHandler([this] { OnRefreshTimer(window_, updates_); });
}

std::vector<WorkerHandle> Rankings::Workers() const {
    std::vector<WorkerHandle> workers;
    for (const RankPeriod& period : kRankPeriods) workers.push_back(updates_.Worker(period));
    return workers;
}

}  // namespace roomdesk
