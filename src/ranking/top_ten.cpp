#include "ranking/top_ten.h"

#include <vector>

#include "ranking/gift_totals.h"
#include "ranking/list_sort.h"
#include "text/encoding.h"

namespace roomdesk {

namespace {

constexpr int kShownRows = 10;
constexpr int kAmountColumn = 2;

bool StopRequested() { return ThisWorkerStopToken().stop_requested(); }

}  // namespace

void FinishRankUpdate(Window& window, const RankPeriod& period, const Text& endText) {
    window.Wait(kFinishPauseMs);
    if (StopRequested()) return;
    TotalGiftsPerViewer(window.List(period.workList), period.mergeSeed);
    window.Wait(kFinishPauseMs);
    if (StopRequested()) return;
    ShowTopTen(window, period, endText);
}

void FinishRankUpdate(Window& window, const RankPeriod& period) {
    FinishRankUpdate(window, period, Utf8ToAnsi(period.endStatus));
}

void ShowTopTen(Window& window, const RankPeriod& period, const Text& endText) {
    ListView& workList = window.List(period.workList);
    // The status text is of no use here: a list that cannot be sorted is labelled and copied as
    // it stands.
    SortListView(workList, kAmountColumn, false, false, kSortAsNumberToo);
    for (int i = 0; i < kShownRows; ++i) workList.SetCell(i, 0, Utf8ToAnsi(kRankLabels[i]));
    CopyTopTen(window, period, endText);
}

void CopyTopTen(Window& window, const RankPeriod& period, const Text& endText) {
    const ListView& workList = window.List(period.workList);
    std::vector<ListView::Row> rows(kShownRows);
    for (int i = 0; i < kShownRows; ++i) {
        rows[i] = {workList.Cell(i, 0), workList.Cell(i, 1), workList.Cell(i, 2)};
    }
    window.List(period.shownList).SetRows(std::move(rows));
    window.Status(kRankStatusBar).SetText(endText);
}

void OnStatusBarSwitch(Window& window) {
    window.Status(kRankStatusBar).SetVisible(window.Check(kStatusBarSwitch).IsChecked());
}

}  // namespace roomdesk
