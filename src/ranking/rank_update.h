// Ranking updates: the gift-income pages of one period read on a worker thread, their gift rows
// listed in the period's work list, then the finishing (top_ten.h). One update per period at a
// time: each period has one work list, one page text and one worker slot.
#pragma once

#include <array>
#include <mutex>

#include "ranking/rank_period.h"
#include "toolkit/window.h"

namespace roomdesk {

// What the status bar says when an update could not read the site (the exchange's failure
// message follows), UTF-8.
inline constexpr std::string_view kUpdateFailedText = "更新失败：";
// An update that listed some of its pages but not all ends with "更新完毕，但有N页读取失败：" and
// the failure message of the first page that failed.
inline constexpr std::string_view kIncompleteBefore = "更新完毕，但有";
inline constexpr std::string_view kIncompleteAfter = "页读取失败：";

class RankUpdates {
public:
    // Requests go to `baseAddress` followed by a path; `today` gives the date of each update.
    RankUpdates(Window& window, Text baseAddress, TodayFunction today);
    // Asks every running worker to stop and waits for it, processing the window's events
    // meanwhile so that a worker's pending change to a control can complete.
    ~RankUpdates();
    RankUpdates(const RankUpdates&) = delete;
    RankUpdates& operator=(const RankUpdates&) = delete;

    // On the window's thread: starts an update of the period on a worker of its own, unless the
    // period is busy (its worker runs, or its finish button's sequence runs): then the start is
    // ignored and nothing is written, so a start from the menu or the timer never runs a second
    // update over the first one's lists. The running update reports its own end. The date of
    // the update is taken here, once: every page of it asks for the same day.
    // Week, month and quarter empty the work list and write the start text here; the day's
    // worker does both itself. The text is written before the worker starts, so every text of
    // the worker comes after it.
    void StartRankUpdate(const RankPeriod& period);

    // The finish button's click, on the window's thread: FinishRankUpdate over the work list as
    // it stands, ending with the period's endStatus. Ignored, returning false, while the period
    // is busy: the running update finishes by itself and a second sequence would work the same
    // list at the same time.
    bool OnFinishButton(const RankPeriod& period);

    // While the period's worker runs or its finish button's sequence runs.
    bool Busy(const RankPeriod& period) const;
    // The period's most recent worker; an empty handle before its first update.
    WorkerHandle Worker(const RankPeriod& period) const;
    // The last page read for the period.
    Text PageText(const RankPeriod& period) const;

private:
    struct PeriodState {
        WorkerHandle workerSlot;  // the window's thread only
        bool finishing = false;   // the window's thread only: the finish button's sequence runs
        mutable std::mutex pageMutex;
        Text pageText;
    };
    // How the pages listed by an update went.
    struct ListedPages {
        int failed = 0;
        Text firstFailure;  // the failure message of the first page that failed
    };

    PeriodState& State(const RankPeriod& period);
    const PeriodState& State(const RankPeriod& period) const;

    // The worker's routine: the period's page plan, then the finishing.
    //
    // A read that brings no page (no response, or an error status) is told in the status bar,
    // never left behind the start text:
    // - a page read for its count (the first request; the day's plain page when the first one
    //   shows more than one page) ends the update there with kUpdateFailedText and the failure:
    //   without the count nothing can be listed, and the ranking shown stays as it was;
    // - the day's plain page read for its rows ends the update in the same way;
    // - a numbered page is skipped and the others are listed. When every one failed the update
    //   ends as above; otherwise it finishes, and the status bar ends with the count of pages
    //   that failed instead of endStatus, since the ranking lacks their gifts.
    // A page that came but holds no pager or no gift row is no failure: it counts 0 pages or
    // lists nothing, as the plans say. A worker asked to stop returns after its current read
    // and writes nothing more.
    void RankUpdateWorker(const RankPeriod& period, const Text& date);
    // Reads pages 1 to `count` of `pageRequest` and lists each one that came.
    ListedPages ListNumberedPages(const RankPeriod& period, const Text& pageRequest, int count);
    // One GET of the base address followed by `pathAndQuery`; the body, converted by the
    // period's conversion, replaces the period's page text. Gives the failure message of the
    // exchange, the empty text when the page came.
    Text ReadProfitPage(const RankPeriod& period, std::string_view pathAndQuery);
    // Appends the gift rows of the period's page text to its work list in one call; gives their
    // number.
    int ListGiftRows(const RankPeriod& period);
    void ReportFailure(const Text& failure);

    Window& window_;
    const Text baseAddress_;
    const TodayFunction today_;
    std::array<PeriodState, std::size(kRankPeriods)> states_;
};

}  // namespace roomdesk
