// The gift totals, the sort by total and the top ten (totals, sort, labels, the first ten rows
// copied into a shown list) on in-memory work lists of 10,000 to 1,000,000 generated gift rows;
// on 10,000 rows also the step-by-step reference forms, for the ratio printed at the end.
//
// Every benchmark reports the rows it was given and the peak growth of heap memory during one
// iteration (every operator new of the process is counted). The list is refilled before each
// iteration with the timer paused.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "../tests/ranking/reference_ranking.h"
#include "ranking/gift_totals.h"
#include "ranking/list_sort.h"
#include "toolkit/memory_list_view.h"

namespace {

std::atomic<std::int64_t> liveBytes{0};
std::atomic<std::int64_t> peakBytes{0};

void CountAllocation(void* p) {
    const auto size = static_cast<std::int64_t>(malloc_usable_size(p));
    const std::int64_t now = liveBytes.fetch_add(size, std::memory_order_relaxed) + size;
    std::int64_t peak = peakBytes.load(std::memory_order_relaxed);
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
}

}  // namespace

void* operator new(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    CountAllocation(p);
    return p;
}

void operator delete(void* p) noexcept {
    if (p == nullptr) return;
    liveBytes.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(p)),
                        std::memory_order_relaxed);
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace roomdesk {
namespace {

using Row = ListView::Row;
using Rows = std::vector<Row>;

constexpr int kMergeSeed = 1;  // as for week, month and quarter

// The peak growth of the heap from Start() on.
class HeapPeak {
public:
    void Start() {
        base_ = liveBytes.load();
        peakBytes.store(base_);
    }
    double GrowthMiB() const { return static_cast<double>(peakBytes.load() - base_) / (1 << 20); }

private:
    std::int64_t base_ = 0;
};

Text Nickname(int viewer) {
    static const char* const kStems[] = {"\xD0\xA1\xC3\xF7", "user_", "\xD4\xC2\xCF\xC2", "Bob ",
                                         "\xC3\xC8\xC3\xC8\xDF\xD5"};
    return kStems[viewer % 5] + std::to_string(viewer);
}

// `count` gift rows of amount 100, shuffled. The number of gifts of a viewer follows a power law,
// P(k or more) = k^-1.5: about 65% of the viewers give one gift, 16% two, and a few hundreds.
Rows GenerateGiftRows(int count) {
    std::mt19937 engine(20150203);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    Rows rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int viewer = 0; static_cast<int>(rows.size()) < count; ++viewer) {
        const double u = 1.0 - unit(engine);  // in (0, 1]
        const auto gifts = std::min<double>(std::floor(std::pow(u, -1.0 / 1.5)),
                                            count - static_cast<double>(rows.size()));
        const Text nickname = Nickname(viewer);
        for (int k = 0; k < static_cast<int>(gifts); ++k) rows.push_back({"", nickname, "100"});
    }
    std::shuffle(rows.begin(), rows.end(), engine);
    return rows;
}

const Rows& GiftRows(int count) {
    static std::map<int, Rows> cache;
    auto it = cache.find(count);
    if (it == cache.end()) it = cache.emplace(count, GenerateGiftRows(count)).first;
    return it->second;
}

const Rows& MergedRows(int count) {
    static std::map<int, Rows> cache;
    auto it = cache.find(count);
    if (it == cache.end()) {
        it = cache.emplace(count, TotalGiftsPerViewer(GiftRows(count), kMergeSeed)).first;
    }
    return it->second;
}

using Operation = void (*)(ListView& workList, ListView& shownList);

void FastTotals(ListView& workList, ListView&) { TotalGiftsPerViewer(workList, kMergeSeed); }
void ReferenceTotals(ListView& workList, ListView&) {
    reference::TotalGiftsPerViewer(workList, kMergeSeed);
}
void FastSort(ListView& workList, ListView&) {
    SortListView(workList, 2, false, false, kSortAsNumberToo);
}
void ReferenceSort(ListView& workList, ListView&) {
    reference::SortListView(workList, 2, false, false, kSortAsNumberToo);
}

// Labels the first ten rows and copies them into the shown list, cell by cell.
void LabelAndCopyTopTen(ListView& workList, ListView& shownList) {
    for (int i = 0; i < 10; ++i) workList.SetCell(i, 0, "#" + std::to_string(i + 1));
    shownList.DeleteAllRows();
    for (int i = 0; i < 10; ++i) {
        shownList.AppendRow();
        for (int j = 0; j < 3; ++j) shownList.SetCell(i, j, workList.Cell(i, j));
    }
}
void FastTopTen(ListView& workList, ListView& shownList) {
    FastTotals(workList, shownList);
    FastSort(workList, shownList);
    LabelAndCopyTopTen(workList, shownList);
}
void ReferenceTopTen(ListView& workList, ListView& shownList) {
    ReferenceTotals(workList, shownList);
    ReferenceSort(workList, shownList);
    LabelAndCopyTopTen(workList, shownList);
}

// Runs `operation` on a work list filled with `input` before every iteration; when `check` is
// given, the result must equal what `check` makes of the same input.
void RunOnWorkList(benchmark::State& state, const Rows& input, Operation operation,
                   Operation check) {
    MemoryListView workList(3);
    MemoryListView shownList(3);
    HeapPeak heap;
    double peakMiB = 0;
    for (auto _ : state) {
        state.PauseTiming();
        workList.SetRows(input);
        heap.Start();
        state.ResumeTiming();
        operation(workList, shownList);
        state.PauseTiming();
        peakMiB = std::max(peakMiB, heap.GrowthMiB());
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(input.size());
    state.counters["peak_MiB"] = peakMiB;
    if (check != nullptr) {
        MemoryListView expected(3);
        MemoryListView expectedShown(3);
        expected.SetRows(input);
        check(expected, expectedShown);
        if (expected.Rows() != workList.Rows() || expectedShown.Rows() != shownList.Rows()) {
            state.SkipWithError("the fast and the reference form differ");
        }
    }
}

void BM_Totals(benchmark::State& state) {
    RunOnWorkList(state, GiftRows(static_cast<int>(state.range(0))), FastTotals, nullptr);
}
void BM_Sort(benchmark::State& state) {
    RunOnWorkList(state, MergedRows(static_cast<int>(state.range(0))), FastSort, nullptr);
}
void BM_TopTen(benchmark::State& state) {
    RunOnWorkList(state, GiftRows(static_cast<int>(state.range(0))), FastTopTen, nullptr);
}
void BM_ReferenceTotals(benchmark::State& state) {
    RunOnWorkList(state, GiftRows(static_cast<int>(state.range(0))), ReferenceTotals, FastTotals);
}
void BM_ReferenceSort(benchmark::State& state) {
    RunOnWorkList(state, MergedRows(static_cast<int>(state.range(0))), ReferenceSort, FastSort);
}
void BM_ReferenceTopTen(benchmark::State& state) {
    RunOnWorkList(state, GiftRows(static_cast<int>(state.range(0))), ReferenceTopTen, FastTopTen);
}

BENCHMARK(BM_Totals)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sort)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TopTen)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceTotals)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceSort)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceTopTen)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

// The console report, keeping each run's time for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (!run.error_occurred) {
                times_[run.run_name.function_name + "/" + run.run_name.args] =
                    run.GetAdjustedRealTime();
            }
        }
    }

    void PrintRatios() const {
        for (const char* name : {"Totals", "Sort", "TopTen"}) {
            const auto fast = times_.find(std::string("BM_") + name + "/10000");
            const auto reference = times_.find(std::string("BM_Reference") + name + "/10000");
            if (fast == times_.end() || reference == times_.end()) continue;
            std::printf("%-7s on 10,000 gift rows: reference %.1f ms, fast %.3f ms, ratio %.0f\n",
                        name, reference->second, fast->second, reference->second / fast->second);
        }
    }

private:
    std::map<std::string, double> times_;
};

}  // namespace
}  // namespace roomdesk

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    roomdesk::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident set of the whole run: %.0f MiB\n", usage.ru_maxrss / 1024.0);
    benchmark::Shutdown();
    return 0;
}
