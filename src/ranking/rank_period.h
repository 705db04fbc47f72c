// The four ranking periods (day, week, month, quarter): each one's lists, requests, texts and
// finishing data, in one constant table that the rest of the rankings reads.
#pragma once

#include <functional>
#include <string_view>

#include "text/text_ops.h"

namespace roomdesk {

// Which steps begin an update, and on which thread (see RankUpdates::StartRankUpdate).
enum class StartSteps {
    kOnWorker,        // the worker writes the start text and empties the work list itself
    kOnWindowThread,  // the start empties the work list and writes the start text
};

// How the pages of an update are found (see RankUpdates::RankUpdateWorker).
enum class PagePlan {
    kPlainPage,  // the day: the undated page decides which pages are listed
    kNumbered,   // pages 1 to the count that the first request shows
};

// How a response body becomes the page's Text. Both read the body up to its first NUL byte.
enum class BodyConversion {
    kUtf8Bytes,     // the body's bytes as UTF-8
    kTextThenUtf8,  // the body as a text first, then that text as UTF-8
};

// One period. Control names, menu items and texts are UTF-8, as in the window's layout; the texts
// are converted to the system code page when they are written. A request carries
// kDatePlaceholder wherever the date of the update goes.
struct RankPeriod {
    int seltype;  // the query value, and the item value of the period selector 组合框3
    std::string_view workList;
    std::string_view shownList;
    std::string_view updateMenu;  // the popup menu of the shown list
    std::string_view updateItem;  // its item that starts an update
    std::string_view startStatus;
    std::string_view endStatus;
    StartSteps startSteps;
    std::string_view firstRequest;
    std::string_view pageRequest;  // the page number is appended
    PagePlan pagePlan;
    BodyConversion bodyConversion;
    int mergeSeed;  // empty rows that lead the merged work list
    std::string_view finishButton;
};

// Replaced in every request by the date of the update, YYYY-MM-DD; time1 and time2 always carry
// the same date.
inline constexpr std::string_view kDatePlaceholder = "{date}";
// The undated gift-income page, which the site shows for today: only the day's plan reads it.
inline constexpr std::string_view kPlainProfitPage = "/room/my/profit";

// A gift row of amount 100: the amount cell, CR LF, 16 spaces, the nickname cell (the one group),
// CR LF, 14 spaces and the end of the row.
inline constexpr std::string_view kGiftRowPattern =
    "<td class=\"org\">100</td>\r\n                <td>(.*?)</td>\r\n              </tr>";
static_assert(kGiftRowPattern.size() == 77);
// The amount of every listed row.
inline constexpr std::string_view kGiftAmount = "100";

// The status bar that carries the texts of every update.
inline constexpr std::string_view kRankStatusBar = "状态条1";

// clang-format off
inline constexpr RankPeriod kRankPeriods[] = {
    {.seltype = 1, .workList = "超级列表框1", .shownList = "超级列表框2",
     .updateMenu = "菜单", .updateItem = "更新排名",
     .startStatus = "正在更新今日排行榜数据！", .endStatus = "更新完毕！",
     .startSteps = StartSteps::kOnWorker,
     .firstRequest = "/room/my/profit?time1={date}&time2={date}&seltype=1",
     .pageRequest = "/room/my/profit?time1={date}&time2={date}&seltype=1&page=",
     .pagePlan = PagePlan::kPlainPage, .bodyConversion = BodyConversion::kUtf8Bytes,
     .mergeSeed = 0, .finishButton = "按钮2"},
    {.seltype = 2, .workList = "超级列表框3", .shownList = "超级列表框4",
     .updateMenu = "菜单2", .updateItem = "&更新排名",
     .startStatus = "正在更新周排行榜数据！", .endStatus = "更新完毕！",
     .startSteps = StartSteps::kOnWindowThread,
     .firstRequest = "/room/my/profit?time1={date}&time2={date}&seltype=2&page=1",
     .pageRequest = "/room/my/profit?time1={date}&time2={date}&seltype=2&page=",
     .pagePlan = PagePlan::kNumbered, .bodyConversion = BodyConversion::kTextThenUtf8,
     .mergeSeed = 1, .finishButton = "按钮6"},
    {.seltype = 3, .workList = "超级列表框5", .shownList = "超级列表框6",
     .updateMenu = "菜单3", .updateItem = "更&新排名",
     .startStatus = "正在更新月排行榜数据！", .endStatus = "更新完毕",
     .startSteps = StartSteps::kOnWindowThread,
     .firstRequest = "/room/my/profit?time1={date}&time2={date}&seltype=3&page=1",
     .pageRequest = "/room/my/profit?time1={date}&time2={date}&seltype=3&page=",
     .pagePlan = PagePlan::kNumbered, .bodyConversion = BodyConversion::kTextThenUtf8,
     .mergeSeed = 1, .finishButton = "按钮8"},
    {.seltype = 4, .workList = "超级列表框7", .shownList = "超级列表框8",
     .updateMenu = "菜单4", .updateItem = "更新&排名",
     .startStatus = "正在更新季排行榜数据！", .endStatus = "更新完毕！",
     .startSteps = StartSteps::kOnWindowThread,
     .firstRequest = "/room/my/profit?time1={date}&time2={date}&seltype=4&page=1",
     .pageRequest = "/room/my/profit?time1={date}&time2={date}&seltype=4&page=",
     .pagePlan = PagePlan::kNumbered, .bodyConversion = BodyConversion::kTextThenUtf8,
     .mergeSeed = 1, .finishButton = "按钮9"},
};
// clang-format on

inline constexpr const RankPeriod& kDayPeriod = kRankPeriods[0];
inline constexpr const RankPeriod& kWeekPeriod = kRankPeriods[1];
inline constexpr const RankPeriod& kMonthPeriod = kRankPeriods[2];
inline constexpr const RankPeriod& kQuarterPeriod = kRankPeriods[3];

// The period whose seltype this is; null for any other value (-1 included).
const RankPeriod* PeriodOfSeltype(int seltype);

// A request of the table with `date` in place of every kDatePlaceholder.
Text DatedRequest(std::string_view request, std::string_view date);

// Gives the date that an update asks for, YYYY-MM-DD.
using TodayFunction = std::function<Text()>;
// Today's local date, YYYY-MM-DD.
Text TodayLocalDate();

}  // namespace roomdesk
