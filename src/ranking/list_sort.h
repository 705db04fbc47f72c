// Sorting the rows of a report-mode list view by the cells of one column, compared as text, as
// numbers or as date-times. Whole rows move; nothing but cell texts changes.
#pragma once

#include <compare>
#include <string_view>
#include <vector>

#include "toolkit/controls.h"

namespace roomdesk {

// Sort type codes: how the keys are compared.
inline constexpr int kSortAsText = 10;
inline constexpr int kSortAsNumber = 6;
inline constexpr int kSortAsNumberToo = 3;  // sorts exactly as kSortAsNumber
inline constexpr int kSortAsDateTime = 8;

// Status texts (GB18030).
inline constexpr std::string_view kSortDone = "\xC5\xC5\xD0\xF2\xCD\xEA\xB3\xC9";  // 排序完成
// 该超级列表框不是报表类型
inline constexpr std::string_view kSortNotReport =
    "\xB8\xC3\xB3\xAC\xBC\xB6\xC1\xD0\xB1\xED\xBF\xF2\xB2\xBB\xCA\xC7\xB1\xA8\xB1\xED\xC0\xE0\xD0"
    "\xCD";
inline constexpr std::string_view kSortBadColumn =
    "\xB4\xED\xCE\xF3\xB5\xC4\xC1\xD0\xCB\xF7\xD2\xFD";  // 错误的列索引
inline constexpr std::string_view kSortBadType =
    "\xC5\xC5\xD0\xF2\xC0\xE0\xD0\xCD\xB2\xBB\xB6\xD4";  // 排序类型不对

// Two numbers closer than this are equal keys.
inline constexpr double kNumberTolerance = 0.0000001;

// A date-time key as it is compared: fields in order of significance, so that the member-wise
// order is the order in time.
struct SortDateTime {
    int year = 100;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend auto operator<=>(const SortDateTime&, const SortDateTime&) = default;
};

// Reads a date-time key. After the full-width fold the text is, in order: a year (up to 4
// digits), one of - . / : 年; a month (up to 2 digits), one of - . / : 月; a day (up to 2 digits),
// one of - . / : 日 and then one blank, either of them or both; an hour (up to 2 digits), one of
// - . / : 时; a minute (up to 2 digits), one of - . / : 分; a second (up to 2 digits); then the
// end of the text, or 秒 and the end. Every separator may be missing and every number may have
// no digits (it counts as 0). Each number takes as many digits as it may, with no second try:
// "20150203" reads as 2015-02-03 and "201523" as year 2015, month 23, which is no date.
// The fields must form a real calendar date (Gregorian) and time of day. A text that fails reads
// as 100-01-01 00:00:00; the value is then clamped into 100-01-01 00:00:00 .. 9999-12-31 00:00:00.
SortDateTime ReadSortDateTime(std::string_view key);

// Sorts rows of `columnCount` cells by the cells of `columnIndex` (a cell missing from a row
// reads as empty) and gives the status text:
// - kSortBadColumn when the index is below 0 or not below columnCount (always when there is no
//   column); then kSortBadType when the sort type is not 10, 3, 6 or 8. Rows are left untouched.
// - kSortDone otherwise, the rows sorted smallest key first when ascending, largest first when not:
//   - text: folded with ToUpper unless case sensitive, then compared as unsigned bytes;
//   - numbers (6, and 3): ToNumber; two keys closer than kNumberTolerance are equal;
//   - date-times (8): ReadSortDateTime.
//   Rows with equal keys come out in the reverse of their order before the sort, in both
//   directions. Where the tolerance makes "equal" intransitive (keys a, b, c with a = b, b = c and
//   a < c) the rows still come out as a permutation of the input, in no promised order.
//   O(R log R): every key is read once.
Text SortRows(std::vector<ListView::Row>& rows, int columnCount, int columnIndex,
              bool ascending = true, bool caseSensitive = false, int sortType = kSortAsText);

// SortRows on a list view: kSortNotReport, and the list left untouched, when the list is not in
// report mode; the checks come before any cell is read. The rows are read in one call and written
// back in one, every cell of every row. An empty list gives kSortDone and nothing is written.
// There are no events to let through between cells: the list is touched only by the two bulk
// calls, and the sort between them works on the rows read, so a long sort holds the window only
// for those two calls.
Text SortListView(ListView& list, int columnIndex, bool ascending = true,
                  bool caseSensitive = false, int sortType = kSortAsText);

}  // namespace roomdesk
