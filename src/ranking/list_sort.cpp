#include "ranking/list_sort.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <utility>

#include "text/text_ops.h"

namespace roomdesk {
namespace {

using Row = ListView::Row;

// Date-time marks (GB18030).
constexpr std::string_view kYearMark = "\xC4\xEA";    // 年
constexpr std::string_view kMonthMark = "\xD4\xC2";   // 月
constexpr std::string_view kDayMark = "\xC8\xD5";     // 日
constexpr std::string_view kHourMark = "\xCA\xB1";    // 时
constexpr std::string_view kMinuteMark = "\xB7\xD6";  // 分
constexpr std::string_view kSecondMark = "\xC3\xEB";  // 秒

constexpr SortDateTime kEarliestDateTime{100, 1, 1, 0, 0, 0};
constexpr SortDateTime kLatestDateTime{9999, 12, 31, 0, 0, 0};

// Reads a date-time text from its first byte on. It only ever stands after an ASCII byte or a
// whole two-byte mark, so it stays on character boundaries.
class DateTimeScanner {
public:
    explicit DateTimeScanner(std::string_view text) : rest_(text) {}

    // Up to `maxDigits` digits, as many as there are; none reads as 0.
    int Number(int maxDigits) {
        int value = 0;
        for (int n = 0; n < maxDigits && !rest_.empty() && rest_[0] >= '0' && rest_[0] <= '9';
             ++n) {
            value = value * 10 + (rest_[0] - '0');
            rest_.remove_prefix(1);
        }
        return value;
    }

    bool Take(std::string_view wanted) {
        if (!rest_.starts_with(wanted)) return false;
        rest_.remove_prefix(wanted.size());
        return true;
    }

    // An optional separator: one of - . / : or the field's own mark.
    void Separator(std::string_view mark) {
        if (!rest_.empty() && std::string_view("-./:").find(rest_[0]) != std::string_view::npos) {
            rest_.remove_prefix(1);
        } else {
            Take(mark);
        }
    }

    bool AtEnd() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValid(const SortDateTime& t) {
    return t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= DaysInMonth(t.year, t.month) &&
           t.hour <= 23 && t.minute <= 59 && t.second <= 59;
}

Text CheckArguments(int columnCount, int columnIndex, int sortType) {
    if (columnIndex < 0 || columnIndex >= columnCount) return Text(kSortBadColumn);
    if (sortType != kSortAsText && sortType != kSortAsNumber && sortType != kSortAsNumberToo &&
        sortType != kSortAsDateTime) {
        return Text(kSortBadType);
    }
    return {};
}

std::string_view KeyOf(const Row& row, int column) {
    const auto c = static_cast<std::size_t>(column);
    return c < row.size() ? std::string_view(row[c]) : std::string_view();
}

// The rows' indexes in their new order: by key, and among equal keys the later row first.
// That is the order of a selection sort whose pass keeps its best entry only while the best is
// strictly better than the next one: each pass then picks the last of the best keys left, so
// equal keys leave from the highest index down, in both directions. `less` must be a strict weak
// order; with the index as the last criterion the order is total, and so it needs no stable sort.
template <class Key, class Less>
std::vector<std::size_t> KeyOrder(const std::vector<Key>& keys, bool ascending, Less less) {
    std::vector<std::size_t> order(keys.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const Key& first = ascending ? keys[a] : keys[b];
        const Key& second = ascending ? keys[b] : keys[a];
        if (less(first, second)) return true;
        if (less(second, first)) return false;
        return a > b;
    });
    return order;
}

// Number keys as ranks: neighbours in value order that are equal within the tolerance share a
// rank. Where the tolerance keeps "equal" transitive, ranks compare exactly as the keys do with
// the tolerance; elsewhere they still form a strict order, so the sort stays sound.
std::vector<std::size_t> NumberRanks(const std::vector<Row>& rows, int column) {
    std::vector<double> values;
    values.reserve(rows.size());
    for (const Row& row : rows) values.push_back(ToNumber(KeyOf(row, column)));
    std::vector<std::size_t> byValue(values.size());
    std::iota(byValue.begin(), byValue.end(), std::size_t{0});
    // ToNumber reads digits only, never "nan", so the values are ordered (infinities included).
    std::sort(byValue.begin(), byValue.end(),
              [&](std::size_t a, std::size_t b) { return values[a] < values[b]; });
    std::vector<std::size_t> ranks(values.size());
    std::size_t rank = 0;
    for (std::size_t i = 0; i < byValue.size(); ++i) {
        // The difference of two equal infinities is NaN, which is no difference here either.
        if (i > 0 && values[byValue[i - 1]] - values[byValue[i]] < -kNumberTolerance) ++rank;
        ranks[byValue[i]] = rank;
    }
    return ranks;
}

std::vector<std::size_t> SortOrder(const std::vector<Row>& rows, int column, bool ascending,
                                   bool caseSensitive, int sortType) {
    const auto less = [](const auto& a, const auto& b) { return a < b; };
    if (sortType == kSortAsNumber || sortType == kSortAsNumberToo) {
        return KeyOrder(NumberRanks(rows, column), ascending, less);
    }
    if (sortType == kSortAsDateTime) {
        std::vector<SortDateTime> keys;
        keys.reserve(rows.size());
        for (const Row& row : rows) keys.push_back(ReadSortDateTime(KeyOf(row, column)));
        return KeyOrder(keys, ascending, less);
    }
    // Text: strings compare as unsigned bytes, a prefix first.
    if (caseSensitive) {
        std::vector<std::string_view> keys;
        keys.reserve(rows.size());
        for (const Row& row : rows) keys.push_back(KeyOf(row, column));
        return KeyOrder(keys, ascending, less);
    }
    std::vector<Text> keys;
    keys.reserve(rows.size());
    for (const Row& row : rows) keys.push_back(ToUpper(KeyOf(row, column)));
    return KeyOrder(keys, ascending, less);
}

void SortCheckedRows(std::vector<Row>& rows, int column, bool ascending, bool caseSensitive,
                     int sortType) {
    const std::vector<std::size_t> order =
        SortOrder(rows, column, ascending, caseSensitive, sortType);
    std::vector<Row> sorted;
    sorted.reserve(rows.size());
    for (const std::size_t r : order) sorted.push_back(std::move(rows[r]));
    rows = std::move(sorted);
}

}  // namespace

SortDateTime ReadSortDateTime(std::string_view key) {
    const Text folded = FoldFullWidth(key);
    DateTimeScanner scan(folded);
    SortDateTime t;
    t.year = scan.Number(4);
    scan.Separator(kYearMark);
    t.month = scan.Number(2);
    scan.Separator(kMonthMark);
    t.day = scan.Number(2);
    scan.Separator(kDayMark);
    scan.Take(" ");
    t.hour = scan.Number(2);
    scan.Separator(kHourMark);
    t.minute = scan.Number(2);
    scan.Separator(kMinuteMark);
    t.second = scan.Number(2);
    scan.Take(kSecondMark);
    if (!scan.AtEnd() || !IsValid(t)) return kEarliestDateTime;
    return std::clamp(t, kEarliestDateTime, kLatestDateTime);
}

Text SortRows(std::vector<Row>& rows, int columnCount, int columnIndex, bool ascending,
              bool caseSensitive, int sortType) {
    Text fault = CheckArguments(columnCount, columnIndex, sortType);
    if (!fault.empty()) return fault;
    SortCheckedRows(rows, columnIndex, ascending, caseSensitive, sortType);
    return Text(kSortDone);
}

Text SortListView(ListView& list, int columnIndex, bool ascending, bool caseSensitive,
                  int sortType) {
    if (list.Mode() != ListView::ViewMode::Report) return Text(kSortNotReport);
    Text fault = CheckArguments(list.ColumnCount(), columnIndex, sortType);
    if (!fault.empty()) return fault;
    std::vector<Row> rows = list.Rows();
    // An empty list has nothing to pick or to write back; the sort counts as done.
    if (rows.empty()) return Text(kSortDone);
    SortCheckedRows(rows, columnIndex, ascending, caseSensitive, sortType);
    list.SetRows(std::move(rows));
    return Text(kSortDone);
}

}  // namespace roomdesk
