#include "ranking/list_sort.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "text/encoding.h"
#include "toolkit/memory_list_view.h"

namespace roomdesk {
namespace {

using Row = ListView::Row;
using Rows = std::vector<Row>;
using Mode = ListView::ViewMode;

// A list view that counts how it is reached: cell by cell or in bulk.
class CountingListView final : public ListView {
public:
    explicit CountingListView(int columns) : list_(columns) {}

    MemoryListView& Inner() { return list_; }
    int Touches() const { return cellCalls_ + bulkReads_ + bulkWrites_; }
    int CellCalls() const { return cellCalls_; }
    int BulkReads() const { return bulkReads_; }
    int BulkWrites() const { return bulkWrites_; }

    void SetVisible(bool visible) override { list_.SetVisible(visible); }
    bool IsVisible() const override { return list_.IsVisible(); }
    void SetEnabled(bool enabled) override { list_.SetEnabled(enabled); }
    bool IsEnabled() const override { return list_.IsEnabled(); }
    void SetClickHandler(std::function<void()> handler) override {
        list_.SetClickHandler(std::move(handler));
    }
    int AppendRow() override { return ++cellCalls_, list_.AppendRow(); }
    int RowCount() const override { return list_.RowCount(); }
    int ColumnCount() const override { return list_.ColumnCount(); }
    void SetCell(int row, int column, const Text& text) override {
        ++cellCalls_;
        list_.SetCell(row, column, text);
    }
    Text Cell(int row, int column) const override { return ++cellCalls_, list_.Cell(row, column); }
    void DeleteAllRows() override { ++cellCalls_, list_.DeleteAllRows(); }
    int SelectedRow() const override { return list_.SelectedRow(); }
    ViewMode Mode() const override { return list_.Mode(); }
    std::vector<Row> Rows() const override { return ++bulkReads_, list_.Rows(); }
    void SetRows(std::vector<Row> rows) override {
        ++bulkWrites_;
        list_.SetRows(std::move(rows));
    }
    int AppendRows(std::vector<Row> rows) override {
        return ++bulkWrites_, list_.AppendRows(std::move(rows));
    }

private:
    MemoryListView list_;
    mutable int cellCalls_ = 0;
    mutable int bulkReads_ = 0;
    int bulkWrites_ = 0;
};

TEST(ListSortTest, StatusTextsAreTheSystemsOwn) {
    EXPECT_EQ(kSortDone, Utf8ToAnsi("排序完成"));
    EXPECT_EQ(kSortNotReport, Utf8ToAnsi("该超级列表框不是报表类型"));
    EXPECT_EQ(kSortBadColumn, Utf8ToAnsi("错误的列索引"));
    EXPECT_EQ(kSortBadType, Utf8ToAnsi("排序类型不对"));
}

TEST(ListSortTest, ChecksComeBeforeAnyCellIsTouched) {
    struct Case {
        const char* what;
        Mode mode;
        int columns;
        int columnIndex;
        int sortType;
        std::string_view status;
    };
    const Case cases[] = {
        {"icon mode", Mode::Icon, 3, 0, 10, kSortNotReport},
        {"small-icon mode", Mode::SmallIcon, 3, 0, 10, kSortNotReport},
        {"list mode, before a bad column and type", Mode::List, 3, 9, 4, kSortNotReport},
        {"column index = column count", Mode::Report, 3, 3, 10, kSortBadColumn},
        {"column index -1", Mode::Report, 3, -1, 10, kSortBadColumn},
        {"lowest column index", Mode::Report, 3, INT_MIN, 10, kSortBadColumn},
        {"no column, index 0", Mode::Report, 0, 0, 10, kSortBadColumn},
        {"no column, index -1", Mode::Report, 0, -1, 10, kSortBadColumn},
        {"bad column before bad type", Mode::Report, 3, 3, 4, kSortBadColumn},
        {"sort type 4", Mode::Report, 3, 0, 4, kSortBadType},
        {"sort type 0", Mode::Report, 3, 2, 0, kSortBadType},
        {"sort type 7", Mode::Report, 3, 2, 7, kSortBadType},
        {"sort type -1", Mode::Report, 1, 0, -1, kSortBadType},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CountingListView list(c.columns);
        list.Inner().SetRows({{"b", "2", "y"}, {"a", "1", "x"}});
        list.Inner().SetMode(c.mode);
        const Rows before = list.Inner().Rows();
        EXPECT_EQ(SortListView(list, c.columnIndex, true, false, c.sortType), c.status);
        EXPECT_EQ(list.Touches(), 0);
        EXPECT_EQ(list.Inner().Rows(), before);
    }
}

TEST(ListSortTest, ReadsOnceAndWritesOnce) {
    CountingListView list(3);
    list.Inner().SetRows({{"b", "2", "y"}, {"a", "1", "x"}, {"c", "3", "z"}});
    EXPECT_EQ(SortListView(list, 2, true, false, kSortAsText), kSortDone);
    EXPECT_EQ(list.Inner().Rows(), (Rows{{"a", "1", "x"}, {"b", "2", "y"}, {"c", "3", "z"}}));
    EXPECT_EQ(list.BulkReads(), 1);
    EXPECT_EQ(list.BulkWrites(), 1);
    EXPECT_EQ(list.CellCalls(), 0);

    // The last column is a valid key; one row is rewritten as it was.
    CountingListView one(3);
    one.Inner().SetRows({{"a", "b", "c"}});
    EXPECT_EQ(SortListView(one, 2), kSortDone);
    EXPECT_EQ(one.Inner().Rows(), (Rows{{"a", "b", "c"}}));
    EXPECT_EQ(one.BulkWrites(), 1);
}

// An empty list has nothing to sort: the sort counts as done and nothing is written.
TEST(ListSortTest, EmptyListIsDoneAndNotWritten) {
    for (const int sortType : {kSortAsText, kSortAsNumber, kSortAsNumberToo, kSortAsDateTime}) {
        CountingListView list(3);
        EXPECT_EQ(SortListView(list, 2, false, false, sortType), kSortDone);
        EXPECT_EQ(list.Inner().RowCount(), 0);
        EXPECT_EQ(list.BulkWrites(), 0);
    }
    CountingListView list(3);
    EXPECT_EQ(SortListView(list, 3), kSortBadColumn) << "the checks still come first";
}

// Rows {name, key, name + "'"}, sorted by the key column; the expected order is given by name.
TEST(ListSortTest, OrdersByKeyAndPutsTheLaterOfEqualKeysFirst) {
    struct Case {
        const char* what;
        std::vector<Text> keys;  // the keys of rows A, B, C, ...
        bool ascending;
        bool caseSensitive;
        int sortType;
        const char* order;
    };
    const Case cases[] = {
        {"numbers descending", {"5", "5", "3"}, false, false, kSortAsNumber, "BAC"},
        {"numbers ascending", {"5", "5", "3"}, true, false, kSortAsNumber, "CBA"},
        {"type 3 sorts as 6", {"5", "5", "3"}, false, false, kSortAsNumberToo, "BAC"},
        {"totals of the top ten", {"300", "200", "300"}, false, false, kSortAsNumberToo, "CAB"},
        {"numbers are not compared as text", {"10", "9", "100"}, true, false, kSortAsNumber, "BAC"},
        {"within the tolerance", {"1", "1.00000001", "0.5"}, true, false, kSortAsNumber, "CBA"},
        {"within the tolerance, descending",
         {"1", "1.00000001", "0.5"},
         false,
         false,
         kSortAsNumber,
         "BAC"},
        {"just outside the tolerance", {"1.0000002", "1"}, true, false, kSortAsNumber, "BA"},
        {"letters, empty and 0 read as 0",
         {"abc", "", "0", "-1"},
         true,
         false,
         kSortAsNumber,
         "DCBA"},
        {"full-width digits", {"\xA3\xB1\xA3\xB2", "12", "11"}, true, false, kSortAsNumber, "CBA"},
        {"a leading number", {"12abc", "12", "13"}, false, false, kSortAsNumber, "CBA"},
        {"decimals and exponents", {"2.5", "2", "3e0", "-0.5"}, true, false, kSortAsNumber, "DBAC"},
        {"case folded", {"apple", "APPLE", "Apple"}, true, false, kSortAsText, "CBA"},
        {"case kept", {"apple", "Zebra"}, true, true, kSortAsText, "BA"},
        {"case folded puts apple first", {"apple", "Zebra"}, true, false, kSortAsText, "AB"},
        {"ASCII before Chinese", {"\xD6\xD0", "z", "Z1"}, true, false, kSortAsText, "BCA"},
        {"empty text first, then a prefix", {"ab", "", "a"}, true, true, kSortAsText, "BCA"},
        {"text descending", {"b", "a", "c", "a"}, false, true, kSortAsText, "CADB"},
        {"one date three ways",
         {"2015-02-03", "2015/2/3",
          "2015\xC4\xEA"
          "2\xD4\xC2"
          "3\xC8\xD5",
          "2015-02-02 23:59:59"},
         true,
         false,
         kSortAsDateTime,
         "DCBA"},
        {"no date reads as the earliest",
         {"2015-02-30", "abc", "100-01-01 00:00:01", "99-12-31"},
         true,
         false,
         kSortAsDateTime,
         "DBAC"},
        {"the latest day is one point",
         {"9999-12-31 23:59:59", "9999-12-31", "9999-12-30 23:59"},
         false,
         false,
         kSortAsDateTime,
         "BAC"},
        {"dates are not compared as text",
         {"2015-10-01", "2015-9-30"},
         true,
         false,
         kSortAsDateTime,
         "BA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryListView list(3);
        Rows rows;
        for (std::size_t i = 0; i < c.keys.size(); ++i) {
            const Text name(1, static_cast<char>('A' + i));
            rows.push_back({name, c.keys[i], name + "'"});
        }
        list.SetRows(rows);
        EXPECT_EQ(SortListView(list, 1, c.ascending, c.caseSensitive, c.sortType), kSortDone);
        Rows expected;
        for (const char* name = c.order; *name; ++name) expected.push_back(rows[*name - 'A']);
        EXPECT_EQ(list.Rows(), expected);  // whole rows, and no cell changed case
    }
}

TEST(ListSortTest, DefaultsSortAsFoldedTextSmallestFirst) {
    const Rows rows = {{"b"}, {"A"}, {"a"}, {"10"}, {"9"}};
    MemoryListView list(1);
    list.SetRows(rows);
    EXPECT_EQ(SortListView(list, 0), kSortDone);
    EXPECT_EQ(list.Rows(), (Rows{{"10"}, {"9"}, {"a"}, {"A"}, {"b"}}));
}

TEST(ListSortTest, SortRowsReadsMissingKeysAsEmpty) {
    Rows rows = {{"x", "2"}, {"y"}, {"z", "1"}};
    EXPECT_EQ(SortRows(rows, 2, 1, true, false, kSortAsNumber), kSortDone);
    EXPECT_EQ(rows, (Rows{{"y"}, {"z", "1"}, {"x", "2"}}));

    Rows untouched = {{"b"}, {"a"}};
    EXPECT_EQ(SortRows(untouched, 1, 1), kSortBadColumn);
    EXPECT_EQ(SortRows(untouched, 1, 0, true, false, 4), kSortBadType);
    EXPECT_EQ(untouched, (Rows{{"b"}, {"a"}}));
}

TEST(ListSortTest, ReadsDateTimes) {
    struct Case {
        const char* what;
        Text key;
        SortDateTime expected;
    };
    const SortDateTime earliest{100, 1, 1, 0, 0, 0};
    const Case cases[] = {
        {"dashes", "2015-02-03", {2015, 2, 3, 0, 0, 0}},
        {"slashes, short fields", "2015/2/3", {2015, 2, 3, 0, 0, 0}},
        {"points and colons", "2015.02.03 10:20:30", {2015, 2, 3, 10, 20, 30}},
        {"Chinese marks",
         "2015\xC4\xEA"
         "2\xD4\xC2"
         "3\xC8\xD5",
         {2015, 2, 3, 0, 0, 0}},
        {"Chinese marks with the time",
         "2015\xC4\xEA"
         "2\xD4\xC2"
         "3\xC8\xD5 10\xCA\xB1"
         "20\xB7\xD6"
         "30\xC3\xEB",
         {2015, 2, 3, 10, 20, 30}},
        {"day mark without a blank",
         "2015\xC4\xEA"
         "2\xD4\xC2"
         "3\xC8\xD5"
         "10\xCA\xB1",
         {2015, 2, 3, 10, 0, 0}},
        {"a separator instead of the blank", "2015-02-03-10:20", {2015, 2, 3, 10, 20, 0}},
        {"seconds mark after colons", "2015-2-3 1:2:3\xC3\xEB", {2015, 2, 3, 1, 2, 3}},
        {"no separators at all", "20150203102030", {2015, 2, 3, 10, 20, 30}},
        {"date without separators", "20150203", {2015, 2, 3, 0, 0, 0}},
        {"mixed separators", "2015/02-03 10.20", {2015, 2, 3, 10, 20, 0}},
        {"a trailing blank is the day's separator", "2015-02-03 ", {2015, 2, 3, 0, 0, 0}},
        {"full-width digits and signs",
         "\xA3\xB2\xA3\xB0\xA3\xB1\xA3\xB5\xA3\xAD\xA3\xB0\xA3\xB2\xA3\xAD\xA3\xB0\xA3\xB3",
         {2015, 2, 3, 0, 0, 0}},
        {"full-width space before the hour",
         "2015-02-03\xA1\xA1"
         "10:20",
         {2015, 2, 3, 10, 20, 0}},
        {"a fifth year digit starts the month", "12345-01-01", {1234, 5, 1, 1, 0, 0}},
        {"leap day", "2016-02-29", {2016, 2, 29, 0, 0, 0}},
        {"leap day of a 400th year", "2000-02-29 23:59:59", {2000, 2, 29, 23, 59, 59}},
        {"the earliest second", "100-01-01 00:00:01", {100, 1, 1, 0, 0, 1}},
        {"a year below 100 is clamped", "99-12-31 23:59:59", earliest},
        {"year 0 is clamped", "0-1-1", earliest},
        {"the last day is clamped to its start", "9999-12-31 23:59:59", {9999, 12, 31, 0, 0, 0}},
        {"the day before it is not", "9999-12-30 23:59:59", {9999, 12, 30, 23, 59, 59}},
        {"30 February", "2015-02-30", earliest},
        {"29 February of a common year", "2015-02-29", earliest},
        {"1900 is no leap year", "1900-02-29", earliest},
        {"100 is no leap year", "100-02-29", earliest},
        {"month 13", "2015-13-01", earliest},
        {"month 0: a year alone", "2015", earliest},
        {"greedy month", "201523", earliest},
        {"hour 24", "2015-02-03 24:00", earliest},
        {"minute 60", "2015-02-03 23:60", earliest},
        {"second 60", "2015-02-03 23:59:60", earliest},
        {"text after the date", "2015-02-03x", earliest},
        {"text after the seconds mark",
         "2015-02-03 1:2:3\xC3\xEB"
         "x",
         earliest},
        {"a leading blank", " 2015-02-03", earliest},
        {"two blanks before the hour", "2015-02-03  10", earliest},
        {"letters", "abc", earliest},
        {"empty", "", earliest},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReadSortDateTime(c.key), c.expected);
    }
}

}  // namespace
}  // namespace roomdesk
