#include "web/cookie_merge.h"

#include <gtest/gtest.h>

namespace roomdesk {
namespace {

struct MergeCase {
    const char* sent;
    const char* received;
    const char* merged;
    const char* receivedAfter;
};

TEST(MergeCookies, RewritesBothTextsInPlace) {
    const MergeCase cases[] = {
        // The received cookies first, then the old ones the response did not set.
        {"a=1; b=2", "b=3; c=4", "b=3; c=4; a=1", "b=3;c=4"},
        // A received "deleted" drops itself and keeps its old namesake out.
        {"a=1; b=2", "b=deleted", "a=1", "b=deleted"},
        {"a=1", "", "a=1", ""},
        {"", "x=1; x=1", "x=1", "x=1;x=1"},
        {"", "", "", ""},
        // Blanks go everywhere, inside values too, full-width ones included.
        {"s=a b", "", "s=ab", ""},
        {"a=1\xA1\xA1; b =2", "", "a=1; b=2", ""},
        // Names compare with letter case.
        {"A=1", "a=2", "a=2; A=1", "a=2"},
        // An old item taken over keeps a later old item of the same name out.
        {"a=1; a=2", "", "a=1", ""},
        // An old "deleted" item is dropped as well.
        {"a=deleted; b=2", "", "b=2", ""},
        // An item without "=" is named by the whole item.
        {"flag; a=1", "flag=on", "flag=on; a=1", "flag=on"},
        // Empty items between separators survive as empty items.
        {"a=1;;b=2", "", "a=1; ; b=2", ""},
    };
    for (const MergeCase& c : cases) {
        Text sent = c.sent;
        Text received = c.received;
        const Text result = MergeCookies(sent, received);
        EXPECT_EQ(sent, c.merged) << "sent «" << c.sent << "», received «" << c.received << "»";
        EXPECT_EQ(result, sent) << "sent «" << c.sent << "»";
        EXPECT_EQ(received, c.receivedAfter) << "received «" << c.received << "»";
    }
}

TEST(CookieName, IsTheTrimmedTextBeforeTheFirstEquals) {
    const struct {
        const char* item;
        const char* name;
    } cases[] = {
        {"a=1", "a"}, {" a = 1", "a"}, {"a=b=c", "a"}, {"=x", ""}, {" flag ", "flag"}, {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CookieName(c.item), c.name) << "«" << c.item << "»";
}

TEST(UniqueJoin, KeepsTheFirstOfEqualItems) {
    const struct {
        const char* text;
        const char* separator;
        const char* joined;
    } cases[] = {
        {"a; b; a", "; ", "a; b"},
        {"a=1; a=2", "; ", "a=1; a=2"},  // equal names, different items
        {"", "; ", ""},
        {"a,,a,", ",", "a,"},  // the empty item is an item; no empty last one
        {"x", "; ", "x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UniqueJoin(c.text, c.separator), c.joined) << "«" << c.text << "»";
    }
}

}  // namespace
}  // namespace roomdesk
