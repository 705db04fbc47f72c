#include "ranking/rank_update.h"

#include <utility>

#include "ranking/profit_page.h"
#include "ranking/top_ten.h"
#include "text/encoding.h"
#include "web/failure_message.h"
#include "web/web_request.h"

namespace roomdesk {

namespace {

// How long the destructor lets the window's events through between two looks at a worker.
constexpr int kStopPollMs = 10;

bool StopRequested() { return ThisWorkerStopToken().stop_requested(); }

}  // namespace

RankUpdates::RankUpdates(Window& window, Text baseAddress, TodayFunction today)
    : window_(window), baseAddress_(std::move(baseAddress)), today_(std::move(today)) {}

RankUpdates::~RankUpdates() {
    for (const PeriodState& state : states_) state.workerSlot.RequestStop();
    for (const PeriodState& state : states_) {
        while (state.workerSlot.Running()) window_.Wait(kStopPollMs);
        state.workerSlot.Join();
    }
}

RankUpdates::PeriodState& RankUpdates::State(const RankPeriod& period) {
    return states_[static_cast<std::size_t>(period.seltype - 1)];
}

const RankUpdates::PeriodState& RankUpdates::State(const RankPeriod& period) const {
    return states_[static_cast<std::size_t>(period.seltype - 1)];
}

bool RankUpdates::Busy(const RankPeriod& period) const {
    const PeriodState& state = State(period);
    return state.finishing || state.workerSlot.Running();
}

WorkerHandle RankUpdates::Worker(const RankPeriod& period) const {
    return State(period).workerSlot;
}

Text RankUpdates::PageText(const RankPeriod& period) const {
    const PeriodState& state = State(period);
    std::lock_guard lock(state.pageMutex);
    return state.pageText;
}

void RankUpdates::StartRankUpdate(const RankPeriod& period) {
    if (Busy(period)) return;
    const Text date = today_();
    if (period.startSteps == StartSteps::kOnWindowThread) {
        window_.List(period.workList).DeleteAllRows();
        window_.Status(kRankStatusBar).SetText(Utf8ToAnsi(period.startStatus));
    }
    State(period).workerSlot =
        window_.StartThread([this, period, date] { RankUpdateWorker(period, date); });
}

bool RankUpdates::OnFinishButton(const RankPeriod& period) {
    if (Busy(period)) return false;
    PeriodState& state = State(period);
    state.finishing = true;
    FinishRankUpdate(window_, period);
    state.finishing = false;
    return true;
}

void RankUpdates::RankUpdateWorker(const RankPeriod& period, const Text& date) {
    if (period.startSteps == StartSteps::kOnWorker) {
        window_.Status(kRankStatusBar).SetText(Utf8ToAnsi(period.startStatus));
        window_.List(period.workList).DeleteAllRows();
    }
    Text failure = ReadProfitPage(period, DatedRequest(period.firstRequest, date));
    if (StopRequested()) return;
    if (!failure.empty()) return ReportFailure(failure);
    int count = PageCountOf(PageText(period));

    if (period.pagePlan == PagePlan::kPlainPage) {
        // The undated page is read in both branches: for its rows when the first page shows at
        // most one page, for the count that takes over otherwise.
        failure = ReadProfitPage(period, kPlainProfitPage);
        if (StopRequested()) return;
        if (!failure.empty()) return ReportFailure(failure);
        if (count <= 1) {
            // Without a row the update ends here: no totals, and the ranking shown stays.
            if (ListGiftRows(period) > 0) FinishRankUpdate(window_, period);
            return;
        }
        count = PageCountOf(PageText(period));
    }

    const ListedPages listed =
        ListNumberedPages(period, DatedRequest(period.pageRequest, date), count);
    if (StopRequested()) return;
    if (listed.failed == 0) return FinishRankUpdate(window_, period);
    if (listed.failed == count) return ReportFailure(listed.firstFailure);
    FinishRankUpdate(window_, period,
                     Utf8ToAnsi(kIncompleteBefore) + NumberToText(listed.failed) +
                         Utf8ToAnsi(kIncompleteAfter) + listed.firstFailure);
}

RankUpdates::ListedPages RankUpdates::ListNumberedPages(const RankPeriod& period,
                                                        const Text& pageRequest, int count) {
    ListedPages listed;
    for (int page = 1; page <= count; ++page) {
        const Text failure = ReadProfitPage(period, pageRequest + NumberToText(page));
        if (StopRequested()) break;
        if (failure.empty()) {
            ListGiftRows(period);
        } else if (listed.failed++ == 0) {
            listed.firstFailure = failure;
        }
    }
    return listed;
}

Text RankUpdates::ReadProfitPage(const RankPeriod& period, std::string_view pathAndQuery) {
    const WebResponse response = WebRequest(baseAddress_ + Text(pathAndQuery));
    Text page = ConvertProfitBody(period.bodyConversion, response.body);
    PeriodState& state = State(period);
    {
        std::lock_guard lock(state.pageMutex);
        state.pageText = std::move(page);
    }
    return FailureMessage(response);
}

int RankUpdates::ListGiftRows(const RankPeriod& period) {
    std::vector<ListView::Row> rows = GiftRowsOf(PageText(period));
    const int count = static_cast<int>(rows.size());
    if (count > 0) window_.List(period.workList).AppendRows(std::move(rows));
    return count;
}

void RankUpdates::ReportFailure(const Text& failure) {
    window_.Status(kRankStatusBar).SetText(Utf8ToAnsi(kUpdateFailedText) + failure);
}

}  // namespace roomdesk
