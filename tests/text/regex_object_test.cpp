#include "text/regex_object.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/encoding.h"

namespace roomdesk {
namespace {

// Tests write their texts in UTF-8; the object takes and gives GB18030.
Text G(std::string_view utf8) { return Utf8ToAnsi(utf8); }

struct Options {
    bool caseSensitive = false;
    bool multiline = true;
    bool global = true;
};

struct Read {
    int match;
    int group;  // 0 reads MatchText
    std::string expected;
};

Text ReadText(const RegexObject& regex, const Read& read, int* firstIndex = nullptr) {
    return read.group == 0 ? regex.MatchText(read.match, firstIndex)
                           : regex.SubMatchText(read.match, read.group, firstIndex);
}

TEST(RegexObjectTest, MatchesAndGroups) {
    struct Case {
        const char* name;
        std::string pattern;
        std::string subject;
        Options options;
        int count;
        std::vector<Read> reads;
    };
    const Case cases[] = {
        {"groups by index",
         "([a-z])(\\d)",
         "a1b2",
         {},
         2,
         {{1, 1, "a"}, {1, 2, "1"}, {2, 1, "b"}, {2, 2, "2"}, {1, 0, "a1"}, {2, 0, "b2"}}},
        {"indexes out of range",
         "([a-z])(\\d)",
         "a1b2",
         {},
         2,
         {{3, 1, ""}, {0, 1, ""}, {-1, 1, ""}, {1, 3, ""}, {1, 0, "a1"}, {3, 0, ""}, {0, 0, ""}}},
        {"case ignored by default", "abc", "ABC abc aBc", {}, 3, {{1, 0, "ABC"}, {3, 0, "aBc"}}},
        {"case sensitive", "abc", "ABC abc aBc", {.caseSensitive = true}, 1, {{1, 0, "abc"}}},
        {"not global keeps the first", "abc", "ABC abc", {.global = false}, 1, {{1, 0, "ABC"}}},
        {"dot stops at a line feed", "a.b", "a\nb", {}, 0, {}},
        {"dot takes a carriage return", "a.b", "a\rb", {}, 1, {{1, 0, "a\rb"}}},
        {"group that took no part", "(a)|(b)", "b", {}, 1, {{1, 1, ""}, {1, 2, "b"}}},
        {"Chinese pager", "共 (\\d+) 页", "共 3 页", {}, 1, {{1, 1, "3"}}},
        {"one character before 页", "(.)页", "共 3 页", {}, 1, {{1, 1, " "}}},
        {"\\u escapes", "\\u5171 (\\d+) \\u9875", "共 3 页", {}, 1, {{1, 1, "3"}}},
        {"\\x takes two digits", "\\x41", "aA", {.caseSensitive = true}, 1, {{1, 0, "A"}}},
        // Code units, as ECMAScript: a character outside the BMP is two units.
        {"emoji is two units", "^.{2}页$", "😀页", {}, 1, {{1, 0, "😀页"}}},
        {"emoji is not one unit", "^.页$", "😀页", {}, 0, {}},
        {"lone unit of an emoji", "(.)页", "😀页", {}, 1, {{1, 1, "?"}}},
        {"lazy group keeps an emoji whole",
         "<td>(.*?)</td>",
         "<td>A😀</td><td>中文</td>",
         {},
         2,
         {{1, 1, "A😀"}, {2, 1, "中文"}}},
        // Caseless folding is ASCII-only; ECMAScript never folds 's' to U+017F or
        // 'k' to U+212A.
        {"no fold to long s", "s", "\u017F", {}, 0, {}},
        {"no fold to Kelvin sign", "k", "\u212A", {}, 0, {}},
        {"no fold of non-ASCII letters", "é", "É", {}, 0, {}},
        {"ASCII digits only", "\\d", "１2", {}, 1, {{1, 0, "2"}}},
        // After an empty match the next search starts one unit on.
        {"empty matches advance", "x*", "ab", {}, 3, {{1, 0, ""}, {3, 0, ""}}},
        {"no non-empty retry at an empty match", "|a", "a", {}, 2, {{1, 0, ""}, {2, 0, ""}}},
        {"back reference to an unset group", "(a)?b\\1", "b", {}, 1, {{1, 0, "b"}, {1, 1, ""}}},
        {"[^] matches anything", "a[^]b", "a\nb", {}, 1, {{1, 0, "a\nb"}}},
        {"[] matches nothing", "a[]b", "ab", {}, 0, {}},
        {"multiline ^", "^b", "a\nb", {}, 1, {{1, 0, "b"}}},
        {"^ without multiline", "^b", "a\nb", {.multiline = false}, 0, {}},
        {"$ without multiline is the end only", "a$", "a\n", {.multiline = false}, 0, {}},
        {"multiline $", "a$", "a\nb", {}, 1, {{1, 0, "a"}}},
        {"empty subject", "abc", "", {}, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RegexObject regex;
        EXPECT_TRUE(regex.Create(G(c.pattern), G(c.subject), c.options.caseSensitive,
                                 c.options.multiline, c.options.global));
        EXPECT_EQ(regex.MatchCount(), c.count);
        for (const Read& read : c.reads) {
            EXPECT_EQ(ReadText(regex, read), G(read.expected))
                << "match " << read.match << " group " << read.group;
        }
    }
}

TEST(RegexObjectTest, GB18030BytesPassThrough) {
    RegexObject regex;
    ASSERT_TRUE(regex.Create("\xB9\xB2 (\\d+) \xD2\xB3", "x\xB9\xB2 12 \xD2\xB3\x94\x39\xFC\x36"));
    ASSERT_EQ(regex.MatchCount(), 1);
    EXPECT_EQ(regex.SubMatchText(1, 1), "12");
    EXPECT_EQ(regex.MatchText(1), "\xB9\xB2 12 \xD2\xB3");
    ASSERT_TRUE(regex.Create("\xD2\xB3(.*)", "\xD2\xB3\x94\x39\xFC\x36"));
    EXPECT_EQ(regex.SubMatchText(1, 1), "\x94\x39\xFC\x36");
}

TEST(RegexObjectTest, InvalidPatternLeavesNoMatches) {
    for (const char* pattern : {"(ab", "a)", "[a", "a{2,1}", "(*UTF)a", "\\"}) {
        SCOPED_TRACE(pattern);
        RegexObject regex;
        ASSERT_TRUE(regex.Create("(a)", "aaa"));
        EXPECT_FALSE(regex.Create(pattern, "ab aab"));
        EXPECT_EQ(regex.MatchCount(), 0);
        EXPECT_EQ(regex.SubMatchCount(), 0);
        EXPECT_EQ(regex.SubMatchText(1, 1), "");
        EXPECT_EQ(regex.MatchText(1), "");
        EXPECT_EQ(regex.GetPattern(), pattern);
        EXPECT_EQ(regex.ReplaceMatches("x"), "");
    }
}

TEST(RegexObjectTest, RunLimits) {
    struct Case {
        const char* name;
        const char* pattern;
        std::string subject;
        bool ok;
        int count;
    };
    const Case cases[] = {
        // Needs far more than PCRE2's default 32 KiB JIT stack.
        {"deep backtracking fits", "(a|b)*c", std::string(20000, 'a') + "c", true, 1},
        {"exponential backtracking fails", "(a|a)*d", std::string(28, 'a') + "xd", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RegexObject regex;
        ASSERT_TRUE(regex.Create("(a)", "a"));
        EXPECT_EQ(regex.Create(c.pattern, c.subject), c.ok);
        EXPECT_EQ(regex.MatchCount(), c.count);
        EXPECT_EQ(regex.ReplaceMatches("x").empty(), !c.ok);
    }
}

TEST(RegexObjectTest, FreshObjectIsEmpty) {
    const RegexObject regex;
    int firstIndex = 7;
    EXPECT_EQ(regex.MatchCount(), 0);
    EXPECT_EQ(regex.SubMatchCount(), 0);
    EXPECT_EQ(regex.MatchText(1, &firstIndex), "");
    EXPECT_EQ(firstIndex, -1);
    EXPECT_EQ(regex.SubMatchText(1, 1), "");
    EXPECT_EQ(regex.GetPattern(), "");
    EXPECT_EQ(regex.ReplaceMatches("x"), "");
    const RegexObject clone = regex.Clone();
    EXPECT_EQ(clone.MatchCount(), 0);
}

TEST(RegexObjectTest, SubMatchCountIsThePatternsGroups) {
    struct Case {
        const char* pattern;
        const char* subject;
        int expected;
    };
    const Case cases[] = {
        {"([a-z])(\\d)", "a1", 2}, {"(a)|(b)|(c)", "c", 3}, {"a", "a", 0}, {"(z)", "a", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        RegexObject regex;
        ASSERT_TRUE(regex.Create(c.pattern, c.subject));
        EXPECT_EQ(regex.SubMatchCount(), c.expected);
    }
}

TEST(RegexObjectTest, SecondCreateReplacesTheFirst) {
    RegexObject regex;
    ASSERT_TRUE(regex.Create("(\\d)(\\d)", "12 34 56"));
    ASSERT_EQ(regex.MatchCount(), 3);
    ASSERT_TRUE(regex.Create("([a-z]+)", "xy"));
    EXPECT_EQ(regex.MatchCount(), 1);
    EXPECT_EQ(regex.SubMatchCount(), 1);
    EXPECT_EQ(regex.SubMatchText(1, 1), "xy");
    EXPECT_EQ(regex.SubMatchText(1, 2), "");
    EXPECT_EQ(regex.SubMatchText(2, 1), "");
    EXPECT_EQ(regex.GetPattern(), "([a-z]+)");
    EXPECT_EQ(regex.ReplaceMatches("[$1]"), "[xy]");
}

TEST(RegexObjectTest, QuoteToken) {
    const Text quote = G("#引号");
    const Text pattern = quote + "(.*?)" + quote;
    const Text subject = G("say \"hi\" to #引号x#引号");
    struct Case {
        bool quoteToken;
        Text expectedPattern;
        Text expectedGroup;
    };
    const Case cases[] = {
        {true, "\"(.*?)\"", "hi"},
        {false, pattern, "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quoteToken);
        RegexObject regex;
        ASSERT_TRUE(regex.Create(pattern, subject, false, true, true, c.quoteToken));
        EXPECT_EQ(regex.GetPattern(), c.expectedPattern);
        ASSERT_EQ(regex.MatchCount(), 1);
        EXPECT_EQ(regex.SubMatchText(1, 1), c.expectedGroup);
    }
}

TEST(RegexObjectTest, CloneSharesMatchesButNotLaterRuns) {
    RegexObject original;
    ASSERT_TRUE(original.Create("(\\d)", "1 2"));
    RegexObject clone = original.Clone();
    EXPECT_EQ(clone.MatchCount(), 2);
    EXPECT_EQ(clone.SubMatchText(2, 1), "2");
    EXPECT_EQ(clone.GetPattern(), "(\\d)");
    EXPECT_EQ(clone.ReplaceMatches("<$1>"), "<1> <2>");

    ASSERT_TRUE(clone.Create("([a-z])", "abc"));
    EXPECT_EQ(clone.MatchCount(), 3);
    EXPECT_EQ(original.MatchCount(), 2);
    EXPECT_EQ(original.SubMatchText(2, 1), "2");
    EXPECT_EQ(original.ReplaceMatches("<$1>"), "<1> <2>");

    const RegexObject second = original.Clone();
    ASSERT_FALSE(original.Create("(", "x"));
    EXPECT_EQ(second.MatchCount(), 2);
    EXPECT_EQ(second.ReplaceMatches("[$&]"), "[1] [2]");
    EXPECT_EQ(second.GetPattern(), "(\\d)");
}

TEST(RegexObjectTest, ReplaceMatches) {
    struct Case {
        const char* name;
        std::string pattern;
        std::string subject;
        bool global;
        std::string replacement;
        std::string expected;
    };
    const Case cases[] = {
        {"every match", "(\\d)", "a1b2", true, "<$1>", "a<1>b<2>"},
        {"first only when not global", "(\\d)", "a1b2", false, "<$1>", "a<1>b2"},
        {"match, before, after", "b", "abc", true, "[$`|$&|$']", "a[a|b|c]c"},
        {"dollar dollar", "b", "abc", true, "$$", "a$c"},
        {"two digits fall back to one", "(b)", "abc", true, "$12", "ab2c"},
        {"leading zero", "(b)", "abc", true, "$01", "abc"},
        {"$0 is literal", "(b)", "abc", true, "$0", "a$0c"},
        {"$00 is literal", "(b)", "abc", true, "$00", "a$00c"},
        {"group beyond the count is literal", "(b)", "abc", true, "$2", "a$2c"},
        {"dollar at the end", "b", "abc", true, "$", "a$c"},
        {"other dollar", "b", "abc", true, "$x", "a$xc"},
        {"twelve groups", "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)", "abcdefghijkl", true, "$12$1",
         "la"},
        {"unset group is empty", "(a)|(b)", "b", true, "[$1$2]", "[b]"},
        {"empty matches", "x*", "ab", true, "-", "-a-b-"},
        {"Chinese text", "(\\d+)", "共 3 页", true, "[$1]", "共 [3] 页"},
        {"Chinese replacement", "(\\d+)", "共 3 页", true, "第$1", "共 第3 页"},
        {"no match keeps the subject", "z", "abc", true, "q", "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RegexObject regex;
        ASSERT_TRUE(regex.Create(G(c.pattern), G(c.subject), false, true, c.global));
        EXPECT_EQ(regex.ReplaceMatches(G(c.replacement)), G(c.expected));
    }
}

TEST(RegexObjectTest, FirstIndexIsTheByteOffset) {
    // GB18030 offsets: 中 0, a 2, 😀 3 (four bytes), b 7, 共 8, " " 10, 3 11, " " 12, 页 13.
    const Text subject = G("中a😀b共 3 页");
    struct Case {
        const char* name;
        const char* pattern;
        std::vector<Read> reads;  // read in this order on one object
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"match after a four-byte character", "b", {{1, 0, "b"}}, {7}},
        {"group and match", "共 (\\d) 页", {{1, 1, "3"}, {1, 0, "共 3 页"}}, {11, 8}},
        {"backwards reads", "[a-z]", {{2, 0, "b"}, {1, 0, "a"}, {2, 0, "b"}}, {7, 2, 7}},
        {"start inside a surrogate pair", "[\\uDC00-\\uDFFF]", {{1, 0, "?"}}, {3}},
        {"unset group", "(x)?b", {{1, 1, ""}, {1, 0, "b"}}, {-1, 7}},
        {"out of range", "[a-z]", {{3, 0, ""}, {1, 2, ""}}, {-1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RegexObject regex;
        ASSERT_TRUE(regex.Create(G(c.pattern), subject));
        for (std::size_t i = 0; i < c.reads.size(); ++i) {
            int firstIndex = -2;
            EXPECT_EQ(ReadText(regex, c.reads[i], &firstIndex), G(c.reads[i].expected));
            EXPECT_EQ(firstIndex, c.expected[i]) << "read " << i;
        }
    }
}

TEST(RegexObjectTest, FirstIndexCountsTheSubjectsOwnBytes) {
    // e + U+0301 is 1 + 4 bytes in the subject, even though a converted group
    // would compose it into the two-byte é.
    const Text subject = "e\x81\x30\xBC\x37x";
    RegexObject regex;
    ASSERT_TRUE(regex.Create("x", subject));
    int firstIndex = -2;
    EXPECT_EQ(regex.MatchText(1, &firstIndex), "x");
    EXPECT_EQ(firstIndex, 5);
}

// The row patterns of the gift-income page and of the administrator roster.
const std::string kGiftRowPattern =
    "<td class=\"org\">100</td>\r\n                <td>(.*?)</td>\r\n              </tr>";
const std::string kAdminRowPattern =
    "<td >(.*?)</td>\r\n    <td >2015-(.*?)</td>\r\n     <td><a "
    "href=\"/room/my/del_admin/(.*?)\"";

std::string GiftRow(const std::string& amount, const std::string& nick,
                    const std::string& lineEnd = "\r\n") {
    return "<tr>" + lineEnd + "              <td>2015-02-03 10:00:00</td>" + lineEnd +
           "              <td>玫瑰</td>" + lineEnd + "              <td class=\"org\">" + amount +
           "</td>" + lineEnd + "                <td>" + nick + "</td>" + lineEnd +
           "              </tr>" + lineEnd;
}

TEST(RegexObjectTest, GiftRowPatternOnAPage) {
    std::string page = "<html><body><p>共 2 页</p><table>\r\n";
    page += GiftRow("100", "小明");
    page += GiftRow("10", "小红");
    page += GiftRow("1000", "大王");
    page += GiftRow("100", "A😀");
    page += GiftRow("100", "Bob", "\n");  // LF line ends: not the site's row
    page += GiftRow("100", "a\rb");       // a dot takes CR
    page += GiftRow("100", "x</td><td>y");
    std::string upper = GiftRow("100", "Eve");
    upper.replace(upper.find("<td class=\"org\">"), 16, "<TD CLASS=\"org\">");
    page += upper;
    page += "</table></body></html>";

    RegexObject regex;
    ASSERT_TRUE(regex.Create(G(kGiftRowPattern), G(page)));
    const std::vector<std::string> expected = {"小明", "A😀", "a\rb", "x</td><td>y", "Eve"};
    ASSERT_EQ(regex.MatchCount(), static_cast<int>(expected.size()));
    for (int i = 1; i <= regex.MatchCount(); ++i) {
        EXPECT_EQ(regex.SubMatchText(i, 1), G(expected[i - 1])) << i;
    }
}

TEST(RegexObjectTest, AdminRowPatternOnAPage) {
    auto row = [](const std::string& nick, const std::string& date, const std::string& uid) {
        return "<tr>\r\n    <td >" + nick + "</td>\r\n    <td >" + date +
               "</td>\r\n     <td><a href=\"/room/my/del_admin/" + uid +
               "\">打入冷宫</a></td>\r\n</tr>\r\n";
    };
    const std::string page = "<table>\r\n" + row("小明", "2015-01-30 12:00", "1001") +
                             row("老王", "2016-02-01 08:00", "1002") +
                             row("A😀", "2015-12-31", "x\"y") + "</table>";
    RegexObject regex;
    ASSERT_TRUE(regex.Create(G(kAdminRowPattern), G(page)));
    struct Row {
        std::string nick, date, uid;
    };
    const std::vector<Row> expected = {{"小明", "01-30 12:00", "1001"}, {"A😀", "12-31", "x"}};
    ASSERT_EQ(regex.MatchCount(), static_cast<int>(expected.size()));
    for (int i = 1; i <= regex.MatchCount(); ++i) {
        EXPECT_EQ(regex.SubMatchText(i, 1), G(expected[i - 1].nick)) << i;
        EXPECT_EQ(regex.SubMatchText(i, 2), G(expected[i - 1].date)) << i;
        EXPECT_EQ(regex.SubMatchText(i, 3), G(expected[i - 1].uid)) << i;
    }
}

TEST(RegexObjectTest, ThousandsOfMatchesOnALongPage) {
    std::string page;
    constexpr int kRows = 20000;
    for (int i = 0; i < kRows; ++i)
        page += GiftRow(i % 3 == 0 ? "100" : "50", "用户" + std::to_string(i));
    RegexObject regex;
    ASSERT_TRUE(regex.Create(G(kGiftRowPattern), G(page)));
    ASSERT_EQ(regex.MatchCount(), (kRows + 2) / 3);
    EXPECT_EQ(regex.SubMatchText(1, 1), G("用户0"));
    EXPECT_EQ(regex.SubMatchText(regex.MatchCount(), 1), G("用户19998"));
}

}  // namespace
}  // namespace roomdesk
