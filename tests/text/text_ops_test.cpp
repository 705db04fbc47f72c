#include "text/text_ops.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>

namespace roomdesk {
namespace {

// GB18030 bytes of the characters used below.
constexpr const char* kZhong = "\xD6\xD0";         // 中, double-byte
constexpr const char* kWen = "\xCE\xC4";           // 文, double-byte
constexpr const char* kKao = "\x81\x40";           // 丂, trail byte '@'
constexpr const char* kGrin = "\x94\x39\xFC\x36";  // 😀, four-byte: trail bytes '9' and '6'
constexpr const char* kCool = "\x94\x39\xFE\x30";  // 😎, four-byte
constexpr const char* kFullSpace = "\xA1\xA1";     // full-width space

Text Cat(std::initializer_list<std::string_view> parts) {
    Text out;
    for (std::string_view p : parts) out.append(p);
    return out;
}

struct FindCase {
    Text text;
    Text pattern;
    std::optional<int> start;
    bool ignoreCase;
    int expected;
};

TEST(FindText, FindsFirstOccurrenceOnACharacterBoundary) {
    const FindCase cases[] = {
        {"abcabc", "bc", std::nullopt, false, 2},
        {"abcabc", "bc", 3, false, 5},
        {"abcabc", "bc", 0, false, 2},
        {"abcabc", "bc", -7, false, 2},
        {"abcabc", "bc", 7, false, -1},
        {"abcabc", "bc", INT_MIN, false, 2},
        {"abcabc", "bc", INT_MAX, false, -1},
        {"abcabc", "abcabcd", std::nullopt, false, -1},
        {"abc", "abc", std::nullopt, false, 1},
        {"ABC", "b", std::nullopt, false, -1},
        {"ABC", "b", std::nullopt, true, 2},
        {"abc", "", std::nullopt, false, 1},
        {"abc", "", 3, false, 1},
        {"", "", std::nullopt, false, -1},
        {"abc", "", 4, false, -1},
        {"", "a", std::nullopt, false, -1},
        // 中文: the trail byte of 中 followed by the lead byte of 文 is no character.
        {Cat({kZhong, kWen}), "\xD0\xCE", std::nullopt, false, -1},
        {Cat({"a", kZhong}), kZhong, std::nullopt, false, 2},
        // A trail byte in the ASCII range is never the start of a match.
        {kKao, "@", std::nullopt, false, -1},
        {Cat({kKao, "@"}), "@", std::nullopt, false, 3},
        {Cat({"\x81\x61", "a"}), "A", std::nullopt, true, 3},
        // Trail bytes fold in comparisons.
        {"\x81\x61", "\x81\x41", std::nullopt, true, 1},
        {"\x81\x61", "\x81\x41", std::nullopt, false, -1},
        // A given start is taken as a character start, even on a trail byte.
        {Cat({kZhong, "a"}),
         "\xD0"
         "a",
         2, false, 2},
        {Cat({kZhong, "a"}),
         "\xD0"
         "a",
         std::nullopt, false, -1},
        // A lone lead byte at the end is a character of its own.
        {"a\xD6", "\xD6", std::nullopt, false, 2},
        // A four-byte character walks as two double-byte characters.
        {kGrin, "9", std::nullopt, false, -1},
        {kGrin, "6", std::nullopt, false, -1},
        {kGrin, "\x39\xFC", std::nullopt, false, -1},
        {Cat({kGrin, "6"}), "6", std::nullopt, false, 5},
        {Cat({"A", kCool, "A", kGrin}), Cat({"A", kGrin}), std::nullopt, false, 6},
    };
    for (const FindCase& c : cases) {
        EXPECT_EQ(FindText(c.text, c.pattern, c.start, c.ignoreCase), c.expected)
            << "text «" << c.text << "» pattern «" << c.pattern << "»";
    }
}

TEST(FindText, StaysOnBoundariesAcrossALongTextOfTrailByteCandidates) {
    // Every '@' but the last is a trail byte; a search that re-walked the text
    // for each candidate would take quadratic time here.
    Text text;
    for (int k = 0; k < 500000; ++k) text += kKao;
    text += "@";
    const int last = TextLength(text);
    EXPECT_EQ(FindText(text, "@"), last);
    EXPECT_EQ(FindTextReverse(text, "@", last + 1), last);
    EXPECT_EQ(FindTextReverse(text, "@"), last);
    EXPECT_EQ(FindTextReverse(text, "@", last), -1);
    EXPECT_EQ(ReplaceText(text, "@", "#", true), text.substr(0, last - 1) + "#");
    EXPECT_EQ(SplitText(text, "@").size(), 1u);
}

TEST(FindTextReverse, FindsLastOccurrenceEndingBeforeTheStart) {
    const FindCase cases[] = {
        {"a|b|c", "|", std::nullopt, false, 4},
        {"a|b|c", "|", 4, false, 2},
        {"a|b|c", "|", 1, false, -1},
        {"a|b|c", "|", 0, false, -1},
        {"a|b|c", "|", 99, false, 4},
        {"x|", "|", std::nullopt, false, 2},
        {"aaa", "aa", std::nullopt, false, 2},
        {"aXa", "x", std::nullopt, false, -1},
        {"aXa", "x", std::nullopt, true, 2},
        {"abc", "", std::nullopt, false, 1},
        {"abc", "", 1, false, -1},
        {"", "", std::nullopt, false, -1},
        {Cat({kZhong, kZhong}), "\xD0\xD6", std::nullopt, false, -1},
        {Cat({kKao, "@", kKao}), "@", std::nullopt, false, 3},
        // An occurrence must end at or before the limit.
        {Cat({"a", kZhong}), kZhong, 3, false, -1},
        {Cat({"a", kZhong}), kZhong, 4, false, 2},
        {Cat({kGrin, kGrin}), "\xFC\x36", std::nullopt, false, 7},
        {"a\xD6", "\xD6", std::nullopt, false, 2},
    };
    for (const FindCase& c : cases) {
        EXPECT_EQ(FindTextReverse(c.text, c.pattern, c.start, c.ignoreCase), c.expected)
            << "text «" << c.text << "» pattern «" << c.pattern << "»";
    }
}

TEST(CutByCount, CountsRawBytes) {
    const Text zhongA = Cat({kZhong, "a"});
    EXPECT_EQ(TextLength(zhongA), 3);
    EXPECT_EQ(TextLength(""), 0);
    EXPECT_EQ(LeftText(zhongA, 1), "\xD6");
    EXPECT_EQ(RightText(zhongA, 2),
              "\xD0"
              "a");

    struct Case {
        Text got;
        Text expected;
    };
    const Case cases[] = {
        {LeftText("abc", 5), "abc"},       {LeftText("abc", 0), ""},
        {LeftText("abc", -1), ""},         {LeftText("abc", 2), "ab"},
        {RightText("abc", -1), ""},        {RightText("abc", 0), ""},
        {RightText("abc", 2), "bc"},       {RightText("abc", 9), "abc"},
        {MidText("abcdef", 3, 2), "cd"},   {MidText("abcdef", 5, 9), "ef"},
        {MidText("abc", 4, 1), ""},        {MidText("abc", 0, 2), ""},
        {MidText("abc", 1, 0), ""},        {MidText("abc", 1, -3), ""},
        {MidText("abc", INT_MIN, 2), ""},  {MidText("abc", INT_MAX, 2), ""},
        {MidText("abc", 3, INT_MAX), "c"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.expected);
}

struct ReplaceCase {
    Text text;
    Text old;
    Text replacement;
    bool caseSensitive;
    ReplaceLimits limits;
    Text expected;
};

TEST(ReplaceText, ReplacesLeftToRightWithoutOverlap) {
    const ReplaceCase cases[] = {
        {"aXbxc", "x", "-", false, {}, "a-b-c"},
        {"aXbxc", "x", "-", true, {}, "aXb-c"},
        {"aXbxc", "x", "-", false, {std::nullopt, 1}, "a-bxc"},
        {"aXbxc", "x", "-", false, {3, std::nullopt}, "aXb-c"},
        {"aXbxc", "x", "-", false, {-5, std::nullopt}, "a-b-c"},
        {"aXbxc", "x", "-", false, {6, std::nullopt}, "aXbxc"},
        {"aXbxc", "x", "-", false, {std::nullopt, 0}, "aXbxc"},
        {"aXbxc", "x", "-", false, {std::nullopt, -1}, "a-b-c"},
        {"aXbxc", "x", "-", false, {std::nullopt, 5}, "a-b-c"},
        {"aaa", "aa", "b", true, {}, "ba"},
        {"aaaa", "aa", "b", true, {}, "bb"},
        {"ab", "a", "aa", true, {}, "aab"},
        {"a,b,c", ",", "", true, {}, "abc"},
        {"", "a", "b", true, {}, ""},
        {"abc", "", "x", true, {}, "abc"},
        {kZhong, "\xD0", "x", true, {}, kZhong},
        {Cat({kZhong, kWen}), "\xD0\xCE", "x", true, {}, Cat({kZhong, kWen})},
        {Cat({kZhong, "x", kZhong}), kZhong, "y", true, {}, "yxy"},
        {Cat({"\x81\x41", "a"}), "a", "-", false, {}, "\x81\x41-"},
        {Cat({kGrin, "6"}), "6", "!", true, {}, Cat({kGrin, "!"})},
        // A lone lead byte at the very end is kept.
        {"x\xD6", "x", "y", true, {}, "y\xD6"},
        {"\xD6", "\xD6", "y", true, {}, "y"},
        // A start on a trail byte begins the walk there.
        {Cat({kZhong, "x"}), "\xD0", "-", true, {2, std::nullopt}, "\xD6-x"},
    };
    for (const ReplaceCase& c : cases) {
        EXPECT_EQ(ReplaceText(c.text, c.old, c.replacement, c.caseSensitive, c.limits), c.expected)
            << "text «" << c.text << "» old «" << c.old << "»";
    }
}

struct SplitCase {
    Text text;
    Text delimiter;
    std::optional<int> maxCount;
    std::vector<Text> expected;
};

TEST(SplitText, SplitsAtDelimitersOnCharacterBoundaries) {
    const SplitCase cases[] = {
        {"a,b,", ",", std::nullopt, {"a", "b"}},
        {",a", ",", std::nullopt, {"", "a"}},
        {"a,,b", ",", std::nullopt, {"a", "", "b"}},
        {",", ",", std::nullopt, {""}},
        {"", ",", std::nullopt, {}},
        {"abc", "", std::nullopt, {"abc"}},
        {"a,b,c", ",", 2, {"a", "b"}},
        {"a,b,c", ",", 3, {"a", "b", "c"}},
        {"a,b,c", ",", 9, {"a", "b", "c"}},
        {"a,b,c", ",", 1, {"a"}},
        {"abc", ",", 1, {"abc"}},
        {"a,b,c", ",", 0, {}},
        {"a,b,c", ",", -2, {}},
        {"abc", "", 0, {}},
        {"one line", "\r\n", std::nullopt, {"one line"}},
        {"l1\r\nl2\r\n", "\r\n", std::nullopt, {"l1", "l2"}},
        {"n----1----2", "----", std::nullopt, {"n", "1", "2"}},
        {"a---b", "--", std::nullopt, {"a", "-b"}},
        {kZhong, "\xD0", std::nullopt, {kZhong}},
        {Cat({kKao, "@x"}), "@", std::nullopt, {kKao, "x"}},
        {Cat({kZhong, ",", kWen}), ",", std::nullopt, {kZhong, kWen}},
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(SplitText(c.text, c.delimiter, c.maxCount), c.expected)
            << "text «" << c.text << "»";
    }
    EXPECT_EQ(SplitText("x,y"), (std::vector<Text>{"x", "y"}));
}

TEST(Blanks, TrimAndRemoveDropOnlySpacesAndFullWidthSpaces) {
    struct Case {
        Text text;
        Text trimmed;
        Text removed;
    };
    const Case cases[] = {
        {" \ta ", "\ta", "\ta"},
        {Cat({kFullSpace, "a", kFullSpace}), "a", "a"},
        {Cat({"a b", kFullSpace, "c"}), Cat({"a b", kFullSpace, "c"}), "abc"},
        {Cat({" ", kFullSpace, " a b ", kFullSpace}), "a b", "ab"},
        {"", "", ""},
        {"   ", "", ""},
        {kFullSpace, "", ""},
        {"\r\n", "\r\n", "\r\n"},
        // 啊 (B0 A1) then a character A1 B0: the bytes A1 A1 across them are no blank.
        {"\xB0\xA1\xA1\xB0", "\xB0\xA1\xA1\xB0", "\xB0\xA1\xA1\xB0"},
        // A lone lead byte at the end goes; blanks before it stay.
        {"a \xA1", "a ", "a"},
        {" \xD6", "", ""},
        {"\xA1", "", ""},
        {Cat({kZhong, " "}), kZhong, kZhong},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TrimText(c.text), c.trimmed) << "text «" << c.text << "»";
        EXPECT_EQ(RemoveSpaces(c.text), c.removed) << "text «" << c.text << "»";
    }
}

TEST(ChangeCase, FoldsAsciiLettersOnly) {
    struct Case {
        Text text;
        Text upper;
        Text lower;
    };
    const Case cases[] = {
        {Cat({"abc", kZhong, "d"}), Cat({"ABC", kZhong, "D"}), Cat({"abc", kZhong, "d"})},
        {"aZ09-!", "AZ09-!", "az09-!"},
        // Double-byte characters are copied unchanged even with a letter as trail byte.
        {"\x81\x61x", "\x81\x61X", "\x81\x61x"},
        {"\x81\x41X", "\x81\x41X", "\x81\x41x"},
        {"a\xD6", "A\xD6", "a\xD6"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToUpper(c.text), c.upper) << "text «" << c.text << "»";
        EXPECT_EQ(ToLower(c.text), c.lower) << "text «" << c.text << "»";
    }
}

TEST(FoldFullWidth, MapsFullWidthFormsToAscii) {
    struct Case {
        Text text;
        Text expected;
    };
    const Case cases[] = {
        {"\xA3\xB1\xA3\xB2\xA3\xB3", "123"},
        {"\xA3\xA1", "!"},
        {"\xA3\xFE", "~"},
        {"\xA3\xC1\xA3\xE1", "Aa"},
        {"\xA3\xAD\xA3\xAE", "-."},
        {kFullSpace, " "},
        {"\xA1\xAB", "~"},
        {"\xA1\xEE\xA1\xEF", "**"},
        {"\xA3\xA0", "\xA3\xA0"},
        {"\xA3\xFF", "\xA3\xFF"},
        {"\xA1\xAC", "\xA1\xAC"},
        {Cat({kZhong, "x"}), Cat({kZhong, "x"})},
        // B0 A3 is one character; the B1 after it is a lone byte.
        {"\xB0\xA3\xB1", "\xB0\xA3\xB1"},
        {"\xA3", "\xA3"},
    };
    for (const Case& c : cases) EXPECT_EQ(FoldFullWidth(c.text), c.expected);
}

TEST(ToInteger, ReadsLeadingDecimalDigits) {
    struct Case {
        Text text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"1,234", 1},
        {" -7", -7},
        {"+5", 5},
        {"\t\n\v\f\r 8", 8},
        {"\xA3\xB1\xA3\xB2\xA3\xB3", 123},
        {"\xA3\xAD\xA3\xB4", -4},
        {Cat({kFullSpace, "7"}), 7},
        {Cat({"  42 ", "\xB8\xF6"}), 42},  // «  42 个»
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"- 5", 0},
        {"3.9", 3},
        {"007", 7},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        // Beyond the 32-bit range the value saturates.
        {"2147483648", INT32_MAX},
        {"99999999999999999999", INT32_MAX},
        {"-2147483649", INT32_MIN},
        {"-99999999999999999999", INT32_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(ToInteger(c.text), c.expected) << "«" << c.text << "»";
}

TEST(ToNumber, ReadsTheLongestLeadingDecimalNumber) {
    struct Case {
        Text text;
        double expected;
    };
    const Case cases[] = {
        {"3.5\xD4\xAA", 3.5},  // «3.5元»
        {"", 0.0},
        {"abc", 0.0},
        {"  +7.25", 7.25},
        {"-2", -2.0},
        {"1,5", 1.0},
        {"12abc", 12.0},
        {"1e3", 1000.0},
        {"2.5E-1x", 0.25},
        {"1e", 1.0},
        {"1e+", 1.0},
        {"1ex5", 1.0},
        {".5", 0.5},
        {"-.5", -0.5},
        {"5.", 5.0},
        {".", 0.0},
        {"-", 0.0},
        {".e5", 0.0},
        // Hexadecimal, infinity and not-a-number are not decimal numbers.
        {"0x1A", 0.0},
        {"inf", 0.0},
        {"-infinity", 0.0},
        {"nan", 0.0},
        {"\xA3\xB3\xA3\xAE\xA3\xB5", 3.5},
        {"1e-400", 0.0},

    };
    for (const Case& c : cases) EXPECT_EQ(ToNumber(c.text), c.expected) << "«" << c.text << "»";
    // Below the smallest subnormal the value underflows to zero.
    EXPECT_EQ(ToNumber("0." + Text(400, '0') + "1"), 0.0);
    EXPECT_EQ(ToNumber("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ToNumber("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ToNumber(Text(400, '9')), std::numeric_limits<double>::infinity());
}

TEST(NumberToText, WritesIntegersAndRealsLikePrintf) {
    EXPECT_EQ(NumberToText(-3), "-3");
    EXPECT_EQ(NumberToText(0), "0");
    EXPECT_EQ(NumberToText(INT_MIN), "-2147483648");
    EXPECT_EQ(NumberToText(INT_MAX), "2147483647");

    struct Case {
        double value;
        Text expected;
    };
    const Case cases[] = {
        {1500.0, "1500"},
        {2.5, "2.5"},
        {0.1 + 0.2, "0.3"},
        {-0.5, "-0.5"},
        {0.0, "0"},
        {1234567890123.0, "1234567890123"},
        {12345678901234.0, "1.234567890123e+13"},
        {1e15, "1e+15"},
        {0.0001, "0.0001"},
        {0.00001, "1e-05"},
        {1.0 / 3.0, "0.3333333333333"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NumberToText(c.value), c.expected);
        char printed[64];
        std::snprintf(printed, sizeof printed, "%.13g", c.value);
        EXPECT_EQ(NumberToText(c.value), printed);
    }
}

TEST(TextBetween, CutsBetweenTheMarkers) {
    struct Case {
        Text text;
        Text startMarker;
        Text endMarker;
        std::optional<int> start;
        bool ignoreCase;
        Text expected;
    };
    const Text gong = "\xB9\xB2 ";  // «共 »
    const Text ye = " \xD2\xB3";    // « 页»
    const Text quote(kQuoteToken);
    const Case cases[] = {
        {gong + "12" + ye, gong, ye, std::nullopt, false, "12"},
        {"12" + ye, gong, ye, std::nullopt, false, ""},
        {gong + "12", gong, ye, std::nullopt, false, ""},
        {"<b></b>", "<b>", "</b>", std::nullopt, false, ""},
        {"a=\"x\"", "a=" + quote, quote, std::nullopt, false, "x"},
        {"a=\"x\"", "a=\"", "\"", std::nullopt, false, "x"},
        {"https://example.com/path", "https://", "/", std::nullopt, false, "example.com"},
        {"http://example.com", "http://", "/", std::nullopt, false, ""},
        {"Host: h\r\nUser-Agent: UA 1\r\nX: y\r\n", "User-Agent:", "\r\n", std::nullopt, false,
         " UA 1"},
        {"Set-Cookie: a=1; path=/", "Set-Cookie:", ";", std::nullopt, false, " a=1"},
        // The end marker is looked for only after the start marker.
        {"<a>b</a>", "<a", "a", std::nullopt, false, ">b</"},
        // The first start marker at or after the start position is used.
        {"[1][2]", "[", "]", std::nullopt, false, "1"},
        {"[1][2]", "[", "]", 2, false, "2"},
        {"<B>x</b>", "<b>", "</B>", std::nullopt, true, "x"},
        {"<B>x</b>", "<b>", "</B>", std::nullopt, false, ""},
        {Cat({"\xB0", "[x]"}), "[", "]", std::nullopt, false, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextBetween(c.text, c.startMarker, c.endMarker, c.start, c.ignoreCase),
                  c.expected)
            << "text «" << c.text << "»";
    }
}

TEST(TextLeftOfAndRightOfLast, CutAroundTheMarker) {
    struct Case {
        Text got;
        Text expected;
    };
    const Case cases[] = {
        {TextLeftOf("name----100", "----"), "name"},
        {TextLeftOf("----100", "----"), ""},
        {TextLeftOf("name", "----"), ""},
        {TextLeftOf("a--b--c", "--", 3), "a--b"},
        {TextLeftOf("a--b--c", "--", 0), "a"},
        {TextLeftOf("a--b--c", "--", -4), "a"},
        {TextLeftOf("aXb", "x", std::nullopt, true), "a"},
        {TextLeftOf(Cat({kZhong, "----", "1"}), "----"), kZhong},
        {TextRightOfLast("a----b----100", "----"), "100"},
        {TextRightOfLast("x|y|", "|"), "y|"},
        {TextRightOfLast("x|", "|"), ""},
        {TextRightOfLast("name", "----"), ""},
        {TextRightOfLast("a; ccn=abc", "ccn="), "abc"},
        {TextRightOfLast("a|b|c", "|", 4), "b|c"},
        {TextRightOfLast("x|y|", "|", 99), ""},
        {TextRightOfLast("x|y|", "|", 0), ""},
        {TextRightOfLast("aXbxc", "x", std::nullopt, true), "c"},
        {TextRightOfLast(Cat({"n----", kZhong, "1"}), "----"), Cat({kZhong, "1"})},
        {TextRightOfLast(Cat({kKao, "@1"}), "@"), "1"},
        {TextRightOfLast(Cat({"1@", kKao, "2"}), "@"), Cat({kKao, "2"})},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.expected);
}

TEST(TextAfterColon, TakesTheTrimmedTextAfterTheFirstColon) {
    struct Case {
        Text line;
        Text expected;
    };
    const Case cases[] = {
        {"User-Agent: abc", "abc"},
        {"Date:", ""},
        {"no colon", ""},
        {"a: b:c ", "b:c"},
        {Cat({"k:", kFullSpace, "v", kFullSpace}), "v"},
        {":x", "x"},
        {"k:\tv", "\tv"},
    };
    for (const Case& c : cases) EXPECT_EQ(TextAfterColon(c.line), c.expected) << c.line;
}

}  // namespace
}  // namespace roomdesk
