#include "ranking/gift_totals.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "text/text_ops.h"

namespace roomdesk {
namespace {

using Row = ListView::Row;

constexpr std::size_t kNicknameColumn = 1;
constexpr std::size_t kAmountColumn = 2;

std::string_view CellOf(const Row& row, std::size_t column) {
    return column < row.size() ? std::string_view(row[column]) : std::string_view();
}

// A nickname's total while its rows are merged into its first row.
struct Total {
    std::size_t firstRow;
    // ToInteger of the amount text the first row holds now. A written sum is a whole number
    // below 2^33, written in plain digits, so reading it again gives the sum clamped to 32 bits.
    std::int32_t current;
    // The last sum written, once an addition took place.
    std::int64_t lastSum = 0;
    bool added = false;
};

std::int32_t Clamp32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::vector<Row> TotalGiftsPerViewer(std::vector<Row> rows, int mergeSeed) {
    // Merging: a later row of a nickname only ever adds to the nickname's first row and is then
    // left without an amount, so one running total per nickname, looked up by hash, gives the
    // same amounts as comparing every row with every row below it.
    std::vector<Total> totals;
    std::unordered_map<std::string_view, std::size_t> totalOf;
    totalOf.reserve(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::string_view amount = CellOf(rows[r], kAmountColumn);
        const auto [slot, first] = totalOf.try_emplace(CellOf(rows[r], kNicknameColumn), 0);
        if (first) {
            slot->second = totals.size();
            totals.push_back({r, ToInteger(amount)});
            continue;
        }
        if (amount.empty()) continue;
        Total& total = totals[slot->second];
        // The sum of two 32-bit values, exact as a real and as a 64-bit integer.
        total.lastSum = std::int64_t{total.current} + ToInteger(amount);
        total.current = Clamp32(total.lastSum);
        total.added = true;
    }

    // Gathering and rebuilding: only first rows keep an amount, and they come in row order.
    std::vector<Row> rebuilt;
    rebuilt.reserve(static_cast<std::size_t>(std::max(mergeSeed, 0)) + totals.size());
    for (int k = 0; k < mergeSeed; ++k) rebuilt.push_back(Row(3));
    Text entry;
    for (const Total& total : totals) {
        const Row& row = rows[total.firstRow];
        const Text amount = total.added ? NumberToText(static_cast<double>(total.lastSum))
                                        : Text(CellOf(row, kAmountColumn));
        if (amount.empty()) continue;
        entry.assign(CellOf(row, kNicknameColumn));
        entry.append(kMergeSeparator).append(amount);
        rebuilt.push_back(
            {Text(), TextLeftOf(entry, kMergeSeparator), TextRightOfLast(entry, kMergeSeparator)});
    }
    return rebuilt;
}

void TotalGiftsPerViewer(ListView& workList, int mergeSeed) {
    workList.SetRows(TotalGiftsPerViewer(workList.Rows(), mergeSeed));
}

}  // namespace roomdesk
