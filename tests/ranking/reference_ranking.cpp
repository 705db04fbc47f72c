#include "reference_ranking.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "text/encoding.h"
#include "text/text_ops.h"

namespace roomdesk::reference {
namespace {

const char* const kSeparator = "----";

// Unsigned byte by byte; a prefix is smaller.
bool TextLess(const Text& a, const Text& b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

// The date-time reading: fields with their digit counts and marks (GB18030), read in order.
struct Field {
    int maxDigits;
    const char* mark;  // the field's own separator; the ASCII ones are common to all
};
const Field kFields[] = {
    {4, "\xC4\xEA"},  // year, 年
    {2, "\xD4\xC2"},  // month, 月
    {2, "\xC8\xD5"},  // day, 日, then a blank may follow
    {2, "\xCA\xB1"},  // hour, 时
    {2, "\xB7\xD6"},  // minute, 分
    {2, "\xC3\xEB"},  // second, 秒 closes the text
};

bool TakePrefix(std::string_view& rest, std::string_view prefix) {
    if (rest.substr(0, prefix.size()) != prefix) return false;
    rest.remove_prefix(prefix.size());
    return true;
}

std::int64_t Seconds(std::chrono::year_month_day date, int hour, int minute, int second) {
    using namespace std::chrono;
    const sys_seconds t = sys_days(date) + hours(hour) + minutes(minute) + seconds(second);
    return t.time_since_epoch().count();
}

bool Keep(const Text& best, const Text& entry, bool ascending, bool caseSensitive, int sortType) {
    if (sortType == 10) {
        const Text b = caseSensitive ? best : ToUpper(best);
        const Text e = caseSensitive ? entry : ToUpper(entry);
        return ascending ? TextLess(b, e) : TextLess(e, b);
    }
    if (sortType == 6) {
        const double difference = ToNumber(best) - ToNumber(entry);
        return ascending ? difference < -0.0000001 : difference > 0.0000001;
    }
    const std::int64_t b = DateTimeSeconds(best);
    const std::int64_t e = DateTimeSeconds(entry);
    return ascending ? b < e : b > e;
}

}  // namespace

std::int64_t DateTimeSeconds(std::string_view key) {
    using namespace std::chrono;
    const std::int64_t lowest = Seconds(year(100) / January / 1, 0, 0, 0);
    const std::int64_t highest = Seconds(year(9999) / December / 31, 0, 0, 0);

    const Text folded = FoldFullWidth(key);
    std::string_view rest = folded;
    int values[6] = {};
    for (int f = 0; f < 6; ++f) {
        for (int n = 0;
             n < kFields[f].maxDigits && !rest.empty() && rest[0] >= '0' && rest[0] <= '9'; ++n) {
            values[f] = values[f] * 10 + (rest[0] - '0');
            rest.remove_prefix(1);
        }
        if (f == 5) {
            TakePrefix(rest, kFields[f].mark);
            break;
        }
        if (!TakePrefix(rest, "-") && !TakePrefix(rest, ".") && !TakePrefix(rest, "/") &&
            !TakePrefix(rest, ":")) {
            TakePrefix(rest, kFields[f].mark);
        }
        if (f == 2) TakePrefix(rest, " ");
    }
    const year_month_day date{year(values[0]), month(static_cast<unsigned>(values[1])),
                              day(static_cast<unsigned>(values[2]))};
    if (!rest.empty() || !date.ok() || values[3] > 23 || values[4] > 59 || values[5] > 59) {
        return lowest;
    }
    return std::clamp(Seconds(date, values[3], values[4], values[5]), lowest, highest);
}

void TotalGiftsPerViewer(ListView& workList, int mergeSeed) {
    // Merging in place.
    const int n = workList.RowCount();
    for (int i = 1; i <= n; ++i) {
        const int p = i - 1;
        const int m = workList.RowCount() - p - 1;
        for (int j = 1; j <= m; ++j) {
            const int q = p + j;
            if (workList.Cell(q, 1) == workList.Cell(p, 1) && !workList.Cell(q, 2).empty()) {
                const double sum = static_cast<double>(ToInteger(workList.Cell(p, 2))) +
                                   static_cast<double>(ToInteger(workList.Cell(q, 2)));
                workList.SetCell(p, 2, NumberToText(sum));
                workList.SetCell(q, 2, Text());
            }
        }
    }
    // Gathering.
    std::vector<Text> mergeList(static_cast<std::size_t>(std::max(mergeSeed, 0)));
    const int count = workList.RowCount();
    for (int r = 0; r < count; ++r) {
        if (!workList.Cell(r, 2).empty()) {
            mergeList.push_back(workList.Cell(r, 1) + kSeparator + workList.Cell(r, 2));
        }
    }
    // Rebuilding.
    workList.DeleteAllRows();
    for (std::size_t k = 1; k <= mergeList.size(); ++k) {
        workList.AppendRow();
        const int row = static_cast<int>(k - 1);
        workList.SetCell(row, 1, TextLeftOf(mergeList[k - 1], kSeparator));
        workList.SetCell(row, 2, TextRightOfLast(mergeList[k - 1], kSeparator));
    }
}

Text SortListView(ListView& list, int columnIndex, bool ascending, bool caseSensitive,
                  int sortType) {
    if (list.Mode() != ListView::ViewMode::Report) return Utf8ToAnsi("该超级列表框不是报表类型");
    const int rowCount = list.RowCount();
    const int columnCount = list.ColumnCount();
    if (columnIndex > columnCount - 1 || columnIndex < 0) return Utf8ToAnsi("错误的列索引");
    if (sortType != 10 && sortType != 3 && sortType != 6 && sortType != 8) {
        return Utf8ToAnsi("排序类型不对");
    }
    if (sortType == 3) sortType = 6;

    std::vector<Text> table;
    for (int r = 0; r < rowCount; ++r) {
        for (int j = 0; j < columnCount; ++j) table.push_back(list.Cell(r, j));
    }
    struct Entry {
        Text key;
        int row;
    };
    std::vector<Entry> keyList;
    for (int r = 0; r < rowCount; ++r) keyList.push_back({list.Cell(r, columnIndex), r});

    std::vector<int> order;
    while (keyList.size() > 1) {
        Text bestKey = keyList[0].key;
        int bestRow = keyList[0].row;
        std::size_t bestPosition = 1;
        for (std::size_t p = 2; p <= keyList.size(); ++p) {
            const Entry& entry = keyList[p - 1];
            if (!Keep(bestKey, entry.key, ascending, caseSensitive, sortType)) {
                bestKey = entry.key;
                bestRow = entry.row;
                bestPosition = p;
            }
        }
        order.push_back(bestRow);
        keyList.erase(keyList.begin() + static_cast<std::ptrdiff_t>(bestPosition - 1));
    }
    // An empty list has no last entry; it is left as it is (the fast form's documented choice).
    if (!keyList.empty()) order.push_back(keyList[0].row);

    for (int t = 0; t < rowCount; ++t) {
        for (int j = 0; j < columnCount; ++j) {
            list.SetCell(t, j, table[static_cast<std::size_t>(order[t]) * columnCount + j]);
        }
    }
    return Utf8ToAnsi("排序完成");
}

}  // namespace roomdesk::reference
