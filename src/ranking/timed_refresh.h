// Timed refresh: while 选择框1 is checked, 时钟1 starts an update of the period chosen in 组合框3
// every interval chosen in 组合框2.
#pragma once

#include <string_view>

#include "ranking/rank_update.h"
#include "toolkit/window.h"

namespace roomdesk {

inline constexpr std::string_view kRefreshSwitch = "选择框1";
inline constexpr std::string_view kIntervalBox = "组合框2";  // item value: minutes
inline constexpr std::string_view kPeriodBox = "组合框3";    // item value: the period's seltype
inline constexpr std::string_view kRefreshTimer = "时钟1";
inline constexpr int kMsPerMinute = 60000;

// Status texts, UTF-8.
inline constexpr std::string_view kRefreshOnText = "已开启定时更新";
inline constexpr std::string_view kRefreshOffText = "已关闭定时更新";
inline constexpr std::string_view kNoIntervalText = "请先选择定时间隔";

// The click of kRefreshSwitch, on the window's thread.
// - Checked, with an interval selected: "已开启定时更新", the timer's period becomes the
//   interval's minutes x kMsPerMinute, and both combo boxes are disabled until the timer is
//   switched off. No update starts now; the first comes one interval later.
// - Checked with no interval selected (text that matches no item was typed): there is no period
//   to run at, so the switch is unchecked again, the timer stays stopped, both boxes stay
//   enabled and the status bar says kNoIntervalText.
// - Unchecked: the timer stops, "已关闭定时更新", both boxes are enabled again. An update that
//   runs goes on to its end.
void OnTimedRefreshSwitch(Window& window);

// The tick of kRefreshTimer: StartRankUpdate of the period selected in kPeriodBox; nothing when
// none is selected. A period whose update still runs ignores the start (RankUpdates).
void OnRefreshTimer(Window& window, RankUpdates& updates);

}  // namespace roomdesk
