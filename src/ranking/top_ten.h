// The end of a ranking update: the gifts totalled per viewer, the work list sorted by total, the
// ten best labelled and copied into the shown list, and the end of the update reported.
#pragma once

#include <string_view>

#include "ranking/rank_period.h"
#include "toolkit/window.h"

namespace roomdesk {

// "第一名" to "第十名", UTF-8.
inline constexpr std::string_view kRankLabels[10] = {
    "第一名", "第二名", "第三名", "第四名", "第五名",
    "第六名", "第七名", "第八名", "第九名", "第十名",
};
// The pause before and after the totals, in milliseconds.
inline constexpr int kFinishPauseMs = 1000;
// The check box that shows and hides the ranking status bar.
inline constexpr std::string_view kStatusBarSwitch = "选择框3";

// On the calling thread: a pause of kFinishPauseMs, TotalGiftsPerViewer over the work list with
// the period's seed, another pause, then ShowTopTen with `endText` (the period's endStatus unless
// the update has something else to report). On a worker asked to stop, it returns after the
// pause during which the request came, having written nothing more.
void FinishRankUpdate(Window& window, const RankPeriod& period, const Text& endText);
void FinishRankUpdate(Window& window, const RankPeriod& period);

// Sorts the work list by its amounts as numbers, largest first (equal totals in the reverse of
// their order before), labels its first ten rows, then CopyTopTen. An empty work list stays
// empty, so the shown list then holds ten empty rows: the ranking that the site's pages held.
void ShowTopTen(Window& window, const RankPeriod& period, const Text& endText);

// The shown list becomes exactly ten rows, the first ten of the work list (rows beyond its end
// empty), in one call, so a reader never sees it half rebuilt; then `endText` goes to the
// status bar.
void CopyTopTen(Window& window, const RankPeriod& period, const Text& endText);

// Shows the ranking status bar while kStatusBarSwitch is checked, hides it otherwise.
void OnStatusBarSwitch(Window& window);

}  // namespace roomdesk
