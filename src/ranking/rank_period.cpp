#include "ranking/rank_period.h"

#include <ctime>

namespace roomdesk {

const RankPeriod* PeriodOfSeltype(int seltype) {
    for (const RankPeriod& period : kRankPeriods) {
        if (period.seltype == seltype) return &period;
    }
    return nullptr;
}

Text DatedRequest(std::string_view request, std::string_view date) {
    return ReplaceText(request, kDatePlaceholder, date, true);
}

Text TodayLocalDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    return Text(text, std::strftime(text, sizeof text, "%Y-%m-%d", &local));
}

}  // namespace roomdesk
