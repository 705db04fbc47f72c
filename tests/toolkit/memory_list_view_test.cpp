#include "toolkit/memory_list_view.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace roomdesk {
namespace {

using Row = ListView::Row;

// A 2 x 3 list whose cells read "r<row>c<column>".
std::vector<Row> Grid() { return {{"r0c0", "r0c1", "r0c2"}, {"r1c0", "r1c1", "r1c2"}}; }

TEST(MemoryListViewTest, CellsOutsideTheListReadEmptyAndCannotBeWritten) {
    struct Case {
        const char* what;
        int row;
        int column;
        bool inside;
    };
    const Case cases[] = {
        {"first cell", 0, 0, true},
        {"last cell", 1, 2, true},
        {"row -1", -1, 0, false},
        {"row -1, last column", -1, 2, false},
        {"row past the end", 2, 0, false},
        {"column -1", 1, -1, false},
        {"column past the end", 0, 3, false},
        {"huge row", INT_MAX, 0, false},
        {"lowest row", INT_MIN, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryListView list(3);
        list.SetRows(Grid());
        std::vector<Row> expected = Grid();
        EXPECT_EQ(list.Cell(c.row, c.column), c.inside ? expected[c.row][c.column] : Text());
        list.SetCell(c.row, c.column, "x");
        if (c.inside) expected[c.row][c.column] = "x";
        // A write outside changes no other cell (column 3 of row 0 is not row 1's column 0).
        EXPECT_EQ(list.Rows(), expected);
        EXPECT_EQ(list.Cell(c.row, c.column), c.inside ? "x" : "");
    }
}

TEST(MemoryListViewTest, AppendedRowsAreEmptyAndNumberedFromTheEnd) {
    MemoryListView list(3);
    EXPECT_EQ(list.AppendRow(), 0);
    list.SetCell(0, 1, "a");
    EXPECT_EQ(list.AppendRow(), 1);
    EXPECT_EQ(list.Rows(), (std::vector<Row>{{"", "a", ""}, {"", "", ""}}));

    list.DeleteAllRows();
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(list.Cell(0, 1), "");
    EXPECT_EQ(list.AppendRow(), 0);
    EXPECT_EQ(list.Cell(0, 1), "") << "a row appended after deleting all must be empty";
    EXPECT_EQ(list.AppendRows({{"b"}, {"c"}}), 1);
    EXPECT_EQ(list.AppendRow(), 3);
    EXPECT_EQ(list.Cell(2, 0), "c");
}

TEST(MemoryListViewTest, BulkRowsAreFittedToTheColumnCount) {
    MemoryListView list(3);
    list.SetRows({{"a", "b", "c", "dropped"}, {"x"}, {}});
    EXPECT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.Rows(), (std::vector<Row>{{"a", "b", "c"}, {"x", "", ""}, {"", "", ""}}));
    EXPECT_EQ(list.Cell(0, 3), "");

    const std::vector<Row> snapshot = list.Rows();
    list.SetCell(0, 0, "changed");
    EXPECT_EQ(snapshot[0][0], "a") << "a snapshot does not follow later changes";

    list.SetRows({});
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_TRUE(list.Rows().empty());
}

TEST(MemoryListViewTest, ListWithoutColumnsCountsRowsButHoldsNoCell) {
    MemoryListView list(0);
    EXPECT_EQ(list.ColumnCount(), 0);
    EXPECT_EQ(list.AppendRow(), 0);
    EXPECT_EQ(list.AppendRows({{"a"}, {"b"}}), 1);
    list.SetCell(0, 0, "x");
    EXPECT_EQ(list.Cell(0, 0), "");
    EXPECT_EQ(list.Rows(), (std::vector<Row>{{}, {}, {}}));
}

TEST(MemoryListViewTest, SelectionFollowsTheRowsThatRemain) {
    struct Case {
        const char* what;
        int selectBefore;
        int rowsAfter;  // the list is rewritten with SetRows to this many rows
        int expected;
    };
    const Case cases[] = {
        {"row kept", 1, 3, 1},       {"last row kept", 2, 3, 2},      {"row gone", 2, 2, -1},
        {"all rows gone", 0, 0, -1}, {"nothing selected", -1, 3, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryListView list(3);
        list.SetRows(std::vector<Row>(3));
        list.Select(c.selectBefore);
        list.SetRows(std::vector<Row>(c.rowsAfter, Row{"n"}));
        EXPECT_EQ(list.SelectedRow(), c.expected);
    }

    MemoryListView list(3);
    list.SetRows(std::vector<Row>(3));
    for (int outside : {-1, 3, INT_MAX}) {
        list.Select(outside);
        EXPECT_EQ(list.SelectedRow(), -1) << outside;
    }
    list.Select(2);
    list.AppendRows({{"more"}});
    list.AppendRow();
    EXPECT_EQ(list.SelectedRow(), 2) << "appending keeps the selection";
    list.DeleteAllRows();
    EXPECT_EQ(list.SelectedRow(), -1);
    list.AppendRows(std::vector<Row>(5));
    EXPECT_EQ(list.SelectedRow(), -1) << "a deleted selection does not come back";
}

// Writers append rows one at a time (append, then write the cells of the index they got) and in
// batches while readers take snapshots and read cells; every row must end up whole and once.
TEST(MemoryListViewTest, ConcurrentWritersLoseNoRowAndMixNoCells) {
    constexpr int kSingleWriters = 4;
    constexpr int kBatchWriters = 2;
    constexpr int kRowsPerWriter = 2000;
    constexpr int kBatch = 25;
    MemoryListView list(3);

    std::vector<std::thread> threads;
    threads.reserve(kSingleWriters + kBatchWriters);
    for (int w = 0; w < kSingleWriters; ++w) {
        threads.emplace_back([&list, w] {
            for (int i = 0; i < kRowsPerWriter; ++i) {
                const int row = list.AppendRow();
                list.SetCell(row, 0, "s" + std::to_string(w));
                list.SetCell(row, 1, std::to_string(i));
                list.SetCell(row, 2, "s" + std::to_string(w) + ":" + std::to_string(i));
            }
        });
    }
    for (int w = 0; w < kBatchWriters; ++w) {
        threads.emplace_back([&list, w] {
            for (int i = 0; i < kRowsPerWriter; i += kBatch) {
                std::vector<Row> rows;
                for (int k = i; k < i + kBatch; ++k) {
                    const std::string writer = "b" + std::to_string(w);
                    rows.push_back({writer, std::to_string(k), writer + ":" + std::to_string(k)});
                }
                list.AppendRows(std::move(rows));
            }
        });
    }
    std::atomic<bool> writing = true;
    std::thread reader([&] {
        while (writing) {
            for (const Row& row : list.Rows()) ASSERT_EQ(row.size(), 3u);
            list.Cell(list.RowCount() - 1, 2);
            list.Select(list.RowCount() / 2);
            list.SelectedRow();
        }
    });
    for (std::thread& t : threads) t.join();
    writing = false;
    reader.join();

    const std::vector<Row> rows = list.Rows();
    ASSERT_EQ(rows.size(), static_cast<size_t>((kSingleWriters + kBatchWriters) * kRowsPerWriter));
    std::set<std::string> seen;
    for (const Row& row : rows) {
        EXPECT_EQ(row[2], row[0] + ":" + row[1]) << "cells of different rows mixed";
        EXPECT_TRUE(seen.insert(row[2]).second) << row[2] << " listed twice";
    }
}

}  // namespace
}  // namespace roomdesk
