#include "ranking/gift_totals.h"

#include <gtest/gtest.h>

#include <vector>

#include "toolkit/memory_list_view.h"

namespace roomdesk {
namespace {

using Row = ListView::Row;
using Rows = std::vector<Row>;

// A gift row as the pages list it: empty label, nickname, amount.
Row Gift(const Text& nickname, const Text& amount) { return {"", nickname, amount}; }

struct Case {
    const char* what;
    Rows input;
    int mergeSeed;
    Rows expected;
};

TEST(GiftTotalsTest, MergesEachNicknameIntoItsFirstRow) {
    const Rows fiveGifts = {Gift("A", "100"), Gift("B", "100"), Gift("A", "100"), Gift("C", "100"),
                            Gift("B", "100")};
    const Case cases[] = {
        {"day: totals in order of first appearance",
         fiveGifts,
         0,
         {Gift("A", "200"), Gift("B", "200"), Gift("C", "100")}},
        {"week: one empty row first",
         fiveGifts,
         1,
         {Gift("", ""), Gift("A", "200"), Gift("B", "200"), Gift("C", "100")}},
        {"three gifts make 300",
         {Gift("A", "100"), Gift("A", "100"), Gift("A", "100")},
         0,
         {Gift("A", "300")}},
        {"case and a trailing space make other viewers",
         {Gift("Bob", "100"), Gift("bob", "100"), Gift("Bob ", "100"), Gift("Bob", "100")},
         0,
         {Gift("Bob", "200"), Gift("bob", "100"), Gift("Bob ", "100")}},
        {"empty nicknames merge like any other",
         {Gift("", "100"), Gift("x", "100"), Gift("", "100")},
         0,
         {Gift("", "200"), Gift("x", "100")}},
        {"one row is kept as it is", {Gift("A", "100")}, 1, {Gift("", ""), Gift("A", "100")}},
        {"empty list, day", {}, 0, {}},
        {"empty list, other periods", {}, 1, {Gift("", "")}},
        {"a seed below 0 adds no row", {Gift("A", "100")}, -1, {Gift("A", "100")}},
        {"column 0 is emptied", {{"old label", "A", "100"}}, 0, {Gift("A", "100")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TotalGiftsPerViewer(c.input, c.mergeSeed), c.expected);
    }
}

TEST(GiftTotalsTest, EntriesAreCutAtTheirSeparators) {
    const Case cases[] = {
        {"a nickname holding ---- keeps the text before it",
         {Gift("a----b", "100"), Gift("a----b", "100")},
         0,
         {Gift("a", "200")}},
        {"two nicknames cut to the same text stay two rows",
         {Gift("a----b", "100"), Gift("a----c", "100")},
         0,
         {Gift("a", "100"), Gift("a", "100")}},
        {"a nickname ending in a hyphen loses it", {Gift("a-", "100")}, 0, {Gift("a", "100")}},
        {"a nickname of hyphens only reads empty", {Gift("------", "100")}, 0, {Gift("", "100")}},
        {"an amount holding ---- keeps the text after its last one",
         {Gift("A", "5----6")},
         0,
         {Gift("A", "6")}},
        // A lead byte at the end of the nickname swallows the first hyphen of the separator, so
        // the entry holds no "----" on a character boundary and rebuilds as an empty row.
        {"a nickname cut inside a character", {Gift("a\xB0", "100")}, 0, {Gift("", "")}},
        {"a whole Chinese nickname is kept",
         {Gift("\xD6\xD0", "100"), Gift("\xD6\xD0", "100")},
         0,
         {Gift("\xD6\xD0", "200")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TotalGiftsPerViewer(c.input, c.mergeSeed), c.expected);
    }
}

TEST(GiftTotalsTest, AmountsAreReadAsIntegersAtEveryAddition) {
    const Case cases[] = {
        {"a lone amount is kept as text",
         {Gift("A", "abc"), Gift("B", "\xA3\xB1\xA3\xB0")},
         0,
         {Gift("A", "abc"), Gift("B", "\xA3\xB1\xA3\xB0")}},
        {"a first amount that is no number counts 0",
         {Gift("A", "abc"), Gift("A", "100")},
         0,
         {Gift("A", "100")}},
        {"a later amount that is no number counts 0 but is merged",
         {Gift("A", "100"), Gift("A", "abc")},
         0,
         {Gift("A", "100")}},
        {"full-width digits and a leading number count",
         {Gift("A", "\xA3\xB1\xA3\xB0\xA3\xB0"), Gift("A", "12abc"), Gift("A", " -2")},
         0,
         {Gift("A", "110")}},
        {"an empty first amount still collects",
         {Gift("A", ""), Gift("B", "1"), Gift("A", "7")},
         0,
         {Gift("A", "7"), Gift("B", "1")}},
        {"a first amount that stays empty gives no row",
         {Gift("A", ""), Gift("B", "1"), Gift("A", "")},
         0,
         {Gift("B", "1")}},
        {"an empty later amount adds nothing",
         {Gift("A", "abc"), Gift("A", "")},
         0,
         {Gift("A", "abc")}},
        // The written sum leaves the 32-bit range; the next addition reads it back saturated.
        {"sums above the 32-bit range",
         {Gift("A", "2147483647"), Gift("A", "1"), Gift("A", "1")},
         0,
         {Gift("A", "2147483648")}},
        // The minus sign of a negative amount joins the separator's hyphens and is cut off.
        {"a negative amount loses its sign", {Gift("A", "-5")}, 0, {Gift("A", "5")}},
        {"sums below the 32-bit range",
         {Gift("A", "-2147483648"), Gift("A", "-2147483648")},
         0,
         {Gift("A", "4294967296")}},
        {"an amount beyond the range saturates",
         {Gift("A", "99999999999"), Gift("A", "1")},
         0,
         {Gift("A", "2147483648")}},
        {"the sum comes back into range",
         {Gift("A", "2147483647"), Gift("A", "1"), Gift("A", "-5")},
         0,
         {Gift("A", "2147483642")}},
        {"a merged total loses its decimals and sign",
         {Gift("A", "+3.5"), Gift("A", "1")},
         0,
         {Gift("A", "4")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TotalGiftsPerViewer(c.input, c.mergeSeed), c.expected);
    }
}

TEST(GiftTotalsTest, MissingCellsReadEmpty) {
    EXPECT_EQ(TotalGiftsPerViewer({{"", "A"}, {}, {"", "A", "3"}, {"", "A", "4", "extra"}}, 0),
              Rows{Gift("A", "7")});
}

TEST(GiftTotalsTest, WorkListIsRewrittenWithItsOwnColumns) {
    MemoryListView wide(4);
    wide.SetRows({{"x", "A", "100", "y"}, {"", "A", "100", "z"}});
    TotalGiftsPerViewer(wide, 1);
    EXPECT_EQ(wide.Rows(), (Rows{{"", "", "", ""}, {"", "A", "200", ""}}));

    // Without an amount column nothing is gathered: only the seed rows come back.
    MemoryListView narrow(2);
    narrow.SetRows({{"", "A"}, {"", "A"}});
    TotalGiftsPerViewer(narrow, 1);
    EXPECT_EQ(narrow.Rows(), (Rows{{"", ""}}));
}

}  // namespace
}  // namespace roomdesk
