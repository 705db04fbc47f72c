// The fast gift totals and list sort against the step-by-step reference forms, on random lists.
// Every trial draws from its own std::mt19937 seeded with the trial number, so a failing trial
// reproduces from the seed in its trace.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "ranking/gift_totals.h"
#include "ranking/list_sort.h"
#include "reference_ranking.h"
#include "toolkit/memory_list_view.h"

namespace roomdesk {
namespace {

using Row = ListView::Row;
using Rows = std::vector<Row>;

class Draw {
public:
    explicit Draw(unsigned seed) : engine_(seed) {}

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    long long Long(long long low, long long high) {
        return std::uniform_int_distribution<long long>(low, high)(engine_);
    }
    bool Chance(double p) { return std::bernoulli_distribution(p)(engine_); }
    template <class T>
    const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Int(0, static_cast<int>(items.size()) - 1))];
    }
    // Up to `maxLength` pieces drawn from `pieces`.
    Text Word(const std::vector<Text>& pieces, int maxLength) {
        Text word;
        for (int n = Int(0, maxLength); n > 0; --n) word += Pick(pieces);
        return word;
    }

private:
    std::mt19937 engine_;
};

// A list of `rowCount` rows of `columns` cells, each cell drawn by `cell(column)`.
template <class CellDraw>
Rows DrawRows(int rowCount, int columns, CellDraw cell) {
    Rows rows(static_cast<std::size_t>(rowCount));
    for (Row& row : rows) {
        for (int j = 0; j < columns; ++j) row.push_back(cell(j));
    }
    return rows;
}

// ---- Gift totals ----

Text DrawNickname(Draw& draw, const std::vector<Text>& viewers) {
    static const std::vector<Text> kPieces = {"a", "A", "-", "--", " ", "\xD6\xD0", "b"};
    static const std::vector<Text> kOdd = {
        "",       "a----b", "a----c", "a-",     "a--",   "----",    "-----", "x----y----z",
        "Bob",    "bob",    "Bob ",   " Bob",   "\xB0",  "a\xB0",   "\xD6",  "\xD6\xD0-",
        "a\xB0-", "--a",    "a---",   "--a--b", "a----", "----100",
    };
    if (draw.Chance(0.6)) return draw.Pick(viewers);
    if (draw.Chance(0.5)) return draw.Pick(kOdd);
    return draw.Word(kPieces, 5);
}

Text DrawAmount(Draw& draw) {
    static const std::vector<Text> kAmounts = {
        "100",
        "100",
        "100",
        "",
        "",
        "abc",
        "12abc",
        "\xA3\xB1\xA3\xB0\xA3\xB0",
        "2147483647",
        "2147483648",
        "-2147483648",
        "-2147483649",
        "99999999999",
        "-99999999999",
        "4294967294",
        "-5",
        " 42",
        "+7",
        "1e3",
        "3.5",
        "0",
        "-0",
        "----",
        "5----6",
        "-",
        "\xA3\xAD\xA3\xB3",
        "1,234",
        "100\xB0",
    };
    if (draw.Chance(0.15)) return std::to_string(draw.Long(-3000000000LL, 3000000000LL));
    return draw.Pick(kAmounts);
}

Rows DrawGiftRows(Draw& draw, int rowCount, int columns) {
    std::vector<Text> viewers;
    for (int v = draw.Int(1, 6); v > 0; --v) viewers.push_back(DrawNickname(draw, {"A", "B"}));
    return DrawRows(rowCount, columns, [&](int column) -> Text {
        if (column == 1) return DrawNickname(draw, viewers);
        if (column == 2) return DrawAmount(draw);
        return draw.Chance(0.3) ? Text("x") : Text();
    });
}

void ExpectSameTotals(const Rows& input, int columns, int mergeSeed) {
    MemoryListView expected(columns);
    expected.SetRows(input);
    reference::TotalGiftsPerViewer(expected, mergeSeed);
    MemoryListView actual(columns);
    actual.SetRows(input);
    TotalGiftsPerViewer(actual, mergeSeed);
    ASSERT_EQ(actual.Rows(), expected.Rows());
}

TEST(RankingPropertyTest, TotalsEqualTheReferenceOnSmallLists) {
    for (unsigned seed = 1; seed <= 4000; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Draw draw(seed);
        const int columns = draw.Chance(0.85) ? 3 : draw.Int(0, 5);
        const int mergeSeed = draw.Chance(0.45) ? 0 : draw.Chance(0.8) ? 1 : draw.Int(-1, 3);
        const Rows input = DrawGiftRows(draw, draw.Int(0, 24), columns);
        ExpectSameTotals(input, columns, mergeSeed);
    }
}

// Long lists over few viewers: many additions per viewer, sums that leave the 32-bit range.
TEST(RankingPropertyTest, TotalsEqualTheReferenceOnLongLists) {
    for (unsigned seed = 1; seed <= 30; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Draw draw(100000 + seed);
        const Rows input = DrawGiftRows(draw, draw.Int(200, 1500), 3);
        ExpectSameTotals(input, 3, static_cast<int>(seed % 2));
    }
}

// ---- List sort ----

Text DrawTextKey(Draw& draw) {
    static const std::vector<Text> kPieces = {"a", "A", "b", "B",        "z",        "Z",   " ",
                                              "1", "~", "_", "\xD6\xD0", "\xD6\x61", "\xB0"};
    return draw.Word(kPieces, 3);
}

// Integers and halves, written in the ways a number key may be, so that equal keys are exactly
// equal and every other pair lies well outside the tolerance.
Text DrawNumberKey(Draw& draw) {
    static const std::vector<Text> kOdd = {
        "",      "abc",        "-0",    "+2",     " 2", "\xA3\xB2", "2abc", "1e0",
        "0.5e1", "1.00000001", "1e400", "-1e400", ".5", "-.5",      "1,5",  "\xA3\xAD\xA3\xB1",
    };
    if (draw.Chance(0.3)) return draw.Pick(kOdd);
    const int halves = draw.Int(-8, 8);
    Text key = std::to_string(halves / 2);
    if (halves % 2 != 0) key = (halves < 0 && halves / 2 == 0 ? "-0" : key) + ".5";
    return key;
}

Text DrawDateKey(Draw& draw) {
    static const std::vector<Text> kFixed = {
        "2015-02-03",
        "2015/2/3",
        "2015\xC4\xEA"
        "2\xD4\xC2"
        "3\xC8\xD5",
        "2015\xC4\xEA"
        "2\xD4\xC2"
        "3\xC8\xD5 10\xCA\xB1"
        "20\xB7\xD6"
        "30\xC3\xEB",
        "20150203",
        "20150203102030",
        "2015-02-30",
        "2016-02-29",
        "1900-02-29",
        "2000-02-29",
        "100-01-01",
        "100-01-01 00:00:01",
        "99-12-31 23:59:59",
        "0-1-1",
        "9999-12-31",
        "9999-12-31 23:59:59",
        "9999-12-30 23:59:59",
        "\xA3\xB2\xA3\xB0\xA3\xB1\xA3\xB5\xA3\xAD\xA3\xB2\xA3\xAD\xA3\xB3",
        "abc",
        "",
        "201523",
        " 2015-02-03",
        "2015-02-03 ",
        "2015-02-03  1",
        "12345-01-01",
    };
    if (draw.Chance(0.35)) return draw.Pick(kFixed);
    // Fields near their edges, each followed by a separator that may be missing or wrong.
    static const std::vector<std::vector<Text>> kSeparators = {
        {"-", ".", "/", ":", "\xC4\xEA", "", "", "x"},
        {"-", ".", "/", ":", "\xD4\xC2", "", "", "\xC4\xEA"},
        {"-", " ", "\xC8\xD5", "\xC8\xD5 ", "  ", "", "", "/ "},
        {"-", ".", "/", ":", "\xCA\xB1", "", ""},
        {"-", ".", "/", ":", "\xB7\xD6", "", ""},
        {"", "", "\xC3\xEB", "x", "\xC3\xEB\xC3\xEB"},
    };
    const int highs[] = {9999, 13, 32, 24, 60, 60};
    static const std::vector<int> kYears = {0,    1,    99,   100,  101,  1899,
                                            1900, 2000, 2015, 2016, 9998, 9999};
    Text key;
    const int fields = draw.Int(1, 6);
    for (int f = 0; f < fields; ++f) {
        int value = f == 0 && draw.Chance(0.6) ? draw.Pick(kYears) : draw.Int(0, highs[f]);
        if (f == 1 && draw.Chance(0.3)) value = 2;  // February, for the leap days
        Text digits = std::to_string(value);
        if (draw.Chance(0.3)) digits = (f == 0 ? "000" : "0") + digits;  // too long
        if (draw.Chance(0.05)) digits.clear();                           // missing
        key += digits + draw.Pick(kSeparators[static_cast<std::size_t>(f)]);
    }
    return key;
}

Text DrawKey(Draw& draw, int sortType) {
    if (draw.Chance(0.05)) return DrawTextKey(draw);  // a key of the wrong kind
    if (sortType == kSortAsNumber || sortType == kSortAsNumberToo) return DrawNumberKey(draw);
    if (sortType == kSortAsDateTime) return DrawDateKey(draw);
    return DrawTextKey(draw);
}

struct SortTrial {
    Rows rows;
    int columns;
    ListView::ViewMode mode;
    int columnIndex;
    bool ascending;
    bool caseSensitive;
    int sortType;
};

SortTrial DrawSortTrial(Draw& draw, int maxRows) {
    SortTrial t;
    static const std::vector<int> kTypes = {kSortAsText, kSortAsNumber, kSortAsNumberToo,
                                            kSortAsDateTime};
    static const std::vector<int> kBadTypes = {4, 0, -1, 7, 9, 11};
    static const std::vector<ListView::ViewMode> kOtherModes = {
        ListView::ViewMode::Icon, ListView::ViewMode::SmallIcon, ListView::ViewMode::List};
    t.sortType = draw.Chance(0.93) ? draw.Pick(kTypes) : draw.Pick(kBadTypes);
    t.columns = draw.Int(0, 4);
    t.mode = draw.Chance(0.95) ? ListView::ViewMode::Report : draw.Pick(kOtherModes);
    t.columnIndex = draw.Chance(0.9) ? draw.Int(0, std::max(t.columns - 1, 0)) : draw.Int(-2, 5);
    t.ascending = draw.Chance(0.5);
    t.caseSensitive = draw.Chance(0.5);
    // Small key pools make equal keys common.
    std::vector<Text> keys;
    for (int k = draw.Int(1, 12); k > 0; --k) keys.push_back(DrawKey(draw, t.sortType));
    int serial = 0;
    t.rows = DrawRows(draw.Int(0, maxRows), t.columns, [&](int column) -> Text {
        if (column == t.columnIndex)
            return draw.Chance(0.8) ? draw.Pick(keys) : DrawKey(draw, t.sortType);
        return "c" + std::to_string(serial++);
    });
    return t;
}

void ExpectSameSort(const SortTrial& t) {
    MemoryListView expected(t.columns);
    expected.SetRows(t.rows);
    expected.SetMode(t.mode);
    const Text expectedStatus =
        reference::SortListView(expected, t.columnIndex, t.ascending, t.caseSensitive, t.sortType);
    MemoryListView actual(t.columns);
    actual.SetRows(t.rows);
    actual.SetMode(t.mode);
    EXPECT_EQ(SortListView(actual, t.columnIndex, t.ascending, t.caseSensitive, t.sortType),
              expectedStatus);
    ASSERT_EQ(actual.Rows(), expected.Rows());
}

TEST(RankingPropertyTest, SortEqualsTheSelectionSort) {
    for (unsigned seed = 1; seed <= 6000; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Draw draw(200000 + seed);
        // Lists longer than 16 rows take std::sort past its insertion sort.
        ExpectSameSort(DrawSortTrial(draw, draw.Chance(0.75) ? 16 : 200));
    }
}

TEST(RankingPropertyTest, SortEqualsTheSelectionSortOnLongLists) {
    for (unsigned seed = 1; seed <= 24; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Draw draw(300000 + seed);
        SortTrial t = DrawSortTrial(draw, 0);
        t.mode = ListView::ViewMode::Report;
        t.columns = 3;
        t.columnIndex = 1;
        t.sortType = std::vector<int>{kSortAsText, kSortAsNumber, kSortAsDateTime}[seed % 3];
        std::vector<Text> keys;
        for (int k = draw.Int(2, 40); k > 0; --k) keys.push_back(DrawKey(draw, t.sortType));
        t.rows = DrawRows(1200, 3, [&, serial = 0](int column) mutable -> Text {
            return column == 1 ? draw.Pick(keys) : "c" + std::to_string(serial++);
        });
        ExpectSameSort(t);
    }
}

// Keys a chain apart by less than the tolerance each, so that "equal" is not transitive: 0 equals
// 0.00000006, which equals 0.00000012, which is larger than 0. The selection sort's order then
// depends on where each key stands, and no sort by key can match it in general. The fast sort
// still finishes and gives a permutation of the rows, each row whole; here it keeps neighbours of
// the chain together as one key.
TEST(RankingPropertyTest, InconsistentNumberKeysStillGiveAPermutation) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Draw draw(400000 + seed);
        const Rows input = DrawRows(2000, 2, [&, serial = 0](int column) mutable -> Text {
            if (column == 0) return "r" + std::to_string(serial++);
            return NumberToText(draw.Int(0, 40) * 0.00000006 + (draw.Chance(0.1) ? 1 : 0));
        });
        MemoryListView list(2);
        list.SetRows(input);
        ASSERT_EQ(SortListView(list, 1, seed % 2 == 0, false, kSortAsNumber), kSortDone);
        Rows sorted = list.Rows();
        // The two separate chains (near 0 and near 1) still come out in order.
        const auto nearOne = [](const Row& row) { return ToNumber(row[1]) > 0.5; };
        EXPECT_TRUE(seed % 2 == 0 ? std::is_partitioned(sorted.begin(), sorted.end(),
                                                        [&](const Row& r) { return !nearOne(r); })
                                  : std::is_partitioned(sorted.begin(), sorted.end(), nearOne));
        Rows original = input;
        std::sort(sorted.begin(), sorted.end());
        std::sort(original.begin(), original.end());
        EXPECT_EQ(sorted, original);
    }
}

}  // namespace
}  // namespace roomdesk
