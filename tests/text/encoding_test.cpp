#include "text/encoding.h"

#include <gtest/gtest.h>
#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <random>
#include <string>
#include <string_view>

namespace roomdesk {
namespace {

using namespace std::string_view_literals;

// GB18030 bytes of the characters used below (source literals are UTF-8).
constexpr std::string_view kRi = "\xC8\xD5";                   // 日
constexpr std::string_view kZhong = "\xD6\xD0";                // 中
constexpr std::string_view kZhangSan = "\xD5\xC5\xC8\xFD";     // 张三
constexpr std::string_view kGrinning = "\x94\x39\xFC\x36";     // U+1F600, absent from code page 936
constexpr std::string_view kReplacement = "\x84\x31\xA4\x37";  // U+FFFD

TEST(BytesToTextTest, EndsAtFirstNul) {
    struct Case {
        std::string_view bytes;
        std::string_view text;
    } cases[] = {{""sv, ""sv}, {"abc"sv, "abc"sv}, {"ab\0cd"sv, "ab"sv}, {"\0x"sv, ""sv}};
    for (const Case& c : cases) EXPECT_EQ(BytesToText(c.bytes), c.text) << c.bytes;
    EXPECT_EQ(TextToBytes("a\xD6\xD0"), "a\xD6\xD0");
}

struct Utf8Case {
    std::string_view utf8;
    std::string_view text;
};

// Each ill-formed subpart of UTF-8 becomes one U+FFFD; an ASCII byte is never
// swallowed by the sequence before it.
const Utf8Case kUtf8Cases[] = {
    {""sv, ""sv},
    {"plain ascii"sv, "plain ascii"sv},
    {"日"sv, kRi},
    {"张三"sv, kZhangSan},
    {"A😀"sv, "A\x94\x39\xFC\x36"sv},
    {"€·"sv, "\xA2\xE3\xA1\xA4"sv},
    {"\xE6\x97"
     "A"sv,
     "\x84\x31\xA4\x37"
     "A"sv},
    {"a\xE6\x97"sv, "a\x84\x31\xA4\x37"sv},
    {"\xFF"sv, kReplacement},
    {"\xC0\x80"sv, "\x84\x31\xA4\x37\x84\x31\xA4\x37"sv},
    {"\xED\xA0\x80"sv, "\x84\x31\xA4\x37\x84\x31\xA4\x37\x84\x31\xA4\x37"sv},
    {"\xEF\xBF\xBD"sv, kReplacement},
};

TEST(Utf8ToAnsiTest, ConvertsToSystemCodePage) {
    for (const Utf8Case& c : kUtf8Cases) {
        EXPECT_EQ(Utf8ToAnsi(c.utf8), c.text) << c.utf8;
        EXPECT_EQ(Utf8BytesToAnsi(c.utf8), c.text) << c.utf8;
    }
}

TEST(Utf8ToAnsiTest, BodyEndsAtFirstNul) {
    EXPECT_EQ(Utf8BytesToAnsi("日\0中"sv), kRi);
    EXPECT_EQ(Utf8BytesToAnsi("\0abc"sv), "");
    EXPECT_EQ(Utf8BytesToAnsi("\xE6\x97\0x"sv), kReplacement);
}

TEST(AnsiToUtf8Test, ConvertsFromSystemCodePage) {
    struct Case {
        std::string_view text;
        std::string_view utf8;
    } cases[] = {
        {""sv, ""sv},
        {kRi, "\xE6\x97\xA5"sv},
        {kZhangSan, "张三"sv},
        {kGrinning, "😀"sv},
        {"\x81\x30\x81\x30"sv, "\u0080"sv},
        // A compatibility ideograph of code page 936 keeps its own code point.
        {"\xFD\x9C"sv, "\uF92C"sv},
        // Bytes that are no GB18030 character: 0x80 and 0xFF never lead one,
        // and a lead byte before a byte that cannot follow it stands alone.
        {"\x80"sv, "\uFFFD"sv},
        {"a\xFF"sv, "a\uFFFD"sv},
        {"\x81 A"sv, "\uFFFD A"sv},
        {"\x81\x30"
         "AB"sv,
         "\uFFFD"
         "0AB"sv},
        {"x\x81"sv, "x\uFFFD"sv},
        {"ab\0cd"sv, "ab"sv},
    };
    for (const Case& c : cases) EXPECT_EQ(AnsiToUtf8(c.text), c.utf8) << c.text;
}

TEST(EncodingRoundTripTest, EmojiNicknameSurvives) {
    const std::string nickname = "小明😀🎉 x";
    const Text text = Utf8ToAnsi(nickname);
    EXPECT_EQ(text.find('?'), std::string::npos);
    EXPECT_EQ(AnsiToUtf8(text), nickname);
    EXPECT_EQ(Utf16ToAnsi(AnsiToUtf16(text)), text);
    EXPECT_EQ(UrlEncode(text, false, true), "%E5%B0%8F%E6%98%8E%F0%9F%98%80%F0%9F%8E%89%20%78");
}

TEST(Utf16Test, MultiByteToUtf16) {
    struct Case {
        std::string_view text;
        CodePage codePage;
        std::u16string_view units;
    } cases[] = {
        {""sv, CodePage::Utf8, u""},
        {"a"sv, CodePage::Ansi, u"a"},
        {""sv, CodePage::Ansi, u""},
        {kZhong, CodePage::Ansi, u"中"},
        {kGrinning, CodePage::Ansi, u"😀"},
        {"日"sv, CodePage::Utf8, u"日"},
        {"x\xE6\x97"sv, CodePage::Utf8, u"x\uFFFD"},
        {"ab\0cd"sv, CodePage::Ansi, u"ab"},
    };
    for (const Case& c : cases) EXPECT_EQ(MultiByteToUtf16(c.text, c.codePage), c.units) << c.text;
    EXPECT_EQ(MultiByteToUtf16("日"), u"日");
    EXPECT_EQ(AnsiToUtf16("a"), u"a");
    EXPECT_EQ(AnsiToUtf16(""), u"");
    EXPECT_EQ(AnsiToUtf16(kRi), u"日");
}

TEST(Utf16Test, Utf16ToMultiByte) {
    struct Case {
        std::u16string_view units;
        CodePage codePage;
        std::string_view text;
    } cases[] = {
        {u"", CodePage::Ansi, ""sv},
        {u"日", CodePage::Ansi, kRi},
        {u"日", CodePage::Utf8, "日"sv},
        {u"a😀", CodePage::Ansi, "a\x94\x39\xFC\x36"sv},
        {u"a\xD800"
         u"b",
         CodePage::Ansi, "a?b"sv},
        {u"a\xD800"
         u"b",
         CodePage::Utf8, "a?b"sv},
        {u"\xDC00\xD800", CodePage::Ansi, "??"sv},
        {u"x\xD83D", CodePage::Utf8, "x?"sv},
        {u"ab\0cd"sv, CodePage::Ansi, "ab"sv},
        {u"\0"sv, CodePage::Utf8, ""sv},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf16ToMultiByte(c.units, c.codePage), c.text)
            << std::string(c.units.begin(), c.units.end());
    }
    EXPECT_EQ(Utf16ToMultiByte(u"中"), kZhong);
}

TEST(Utf16Test, Utf16ToAnsiComposesCombiningMarks) {
    const std::u16string longAscii(40, u'x');
    struct Case {
        std::u16string units;
        std::u16string precomposed;
    } cases[] = {
        {u"e\u0301x", u"\u00E9x"},
        {u"\u00E9", u"\u00E9"},
        {u"A\u030A", u"\u00C5"},
        {u"a\u0308\u0304", u"\u01DF"},
        {u"\u4E2D\u0301", u"\u4E2D\u0301"},
        {u"q\u0301", u"q\u0301"},
        {u"\u0301", u"\u0301"},
        {longAscii + u"e\u0301" + longAscii, longAscii + u"\u00E9" + longAscii},
        // Nothing but mark pairs changes: NFC would rewrite these singletons.
        {u"\uF92C\u212B\u2126", u"\uF92C\u212B\u2126"},
        {std::u16string(u"e\u0301\0z", 4), u"\u00E9"},
        {u"a\xD800\u0301", u"a\xD800\u0301"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf16ToAnsi(c.units), Utf16ToMultiByte(c.precomposed))
            << std::string(c.units.begin(), c.units.end());
    }
    EXPECT_EQ(Utf16ToAnsi(u"e\u0301"), "\xA8\xA6");
    EXPECT_NE(Utf16ToMultiByte(u"e\u0301"), "\xA8\xA6");
}

// The conversions copy ASCII runs and convert the common characters
// themselves, leaving only the rest to ICU; on any input the result must be
// the one that ICU gives for the whole input at once.
class WholeInputConversion {
public:
    WholeInputConversion() {
        UErrorCode error = U_ZERO_ERROR;
        gb18030_ = ucnv_open("gb18030", &error);
        ucnv_setSubstChars(gb18030_, "?", 1, &error);
    }
    ~WholeInputConversion() { ucnv_close(gb18030_); }

    std::u16string Decode(const std::string& bytes, CodePage codePage) {
        std::u16string units(bytes.size() + 1, u'\0');
        UErrorCode error = U_ZERO_ERROR;
        int32_t length = 0;
        if (codePage == CodePage::Utf8) {
            u_strFromUTF8WithSub(units.data(), units.size(), &length, bytes.data(), bytes.size(),
                                 0xFFFD, nullptr, &error);
        } else {
            length = ucnv_toUChars(gb18030_, units.data(), units.size(), bytes.data(), bytes.size(),
                                   &error);
        }
        EXPECT_TRUE(U_SUCCESS(error));
        units.resize(length);
        return units;
    }

    std::string Encode(const std::u16string& units, CodePage codePage) {
        std::string bytes(units.size() * 4 + 1, '\0');
        UErrorCode error = U_ZERO_ERROR;
        int32_t length = 0;
        if (codePage == CodePage::Utf8) {
            u_strToUTF8WithSub(bytes.data(), bytes.size(), &length, units.data(), units.size(),
                               u'?', nullptr, &error);
        } else {
            length = ucnv_fromUChars(gb18030_, bytes.data(), bytes.size(), units.data(),
                                     units.size(), &error);
        }
        EXPECT_TRUE(U_SUCCESS(error));
        bytes.resize(length);
        return bytes;
    }

private:
    UConverter* gb18030_ = nullptr;
};

// Random inputs: ASCII runs (lengths around the run length at which a stretch
// ends) between units of any value and, for GB18030 and UTF-16, well-formed
// four-byte characters and surrogate pairs, whole or cut short.
template <typename Unit>
std::basic_string<Unit> RandomMix(std::mt19937& random, unsigned maxUnit) {
    std::basic_string<Unit> s;
    auto pick = [&](unsigned low, unsigned high) {
        return static_cast<Unit>(std::uniform_int_distribution<unsigned>(low, high)(random));
    };
    auto count = [&](int low, int high) {
        return std::uniform_int_distribution(low, high)(random);
    };
    for (int piece = count(1, 12); piece > 0; --piece) {
        for (int n = count(0, 20); n > 0; --n) s += pick(1, 0x7F);
        for (int n = count(1, 6); n > 0; --n) {
            switch (random() % 6) {
                case 0:
                    s += pick(1, maxUnit);
                    break;
                case 1:
                    if constexpr (sizeof(Unit) == 1) {
                        // lead, digit, lead, digit: BMP (81-84), supplementary (90-E3) or none.
                        const Unit four[] = {pick(0x81, 0xFE), pick(0x30, 0x39), pick(0x81, 0xFE),
                                             pick(0x30, 0x39)};
                        s.append(four, count(1, 4));
                    } else {
                        s += pick(0xD800, 0xDBFF);
                        if (random() % 4 != 0) s += pick(0xDC00, 0xDFFF);
                    }
                    break;
                default:
                    s += pick(0x80, maxUnit);
            }
        }
    }
    return s;
}

TEST(EncodingFastPathTest, AgreesWithWholeInputConversion) {
    WholeInputConversion whole;
    std::mt19937 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        const std::string bytes = RandomMix<char>(random, 0xFF);
        for (CodePage from : {CodePage::Ansi, CodePage::Utf8}) {
            const CodePage to = from == CodePage::Ansi ? CodePage::Utf8 : CodePage::Ansi;
            const std::u16string units = whole.Decode(bytes, from);
            ASSERT_EQ(MultiByteToUtf16(bytes, from), units) << bytes;
            const std::string recoded = whole.Encode(units, to);
            ASSERT_EQ(from == CodePage::Ansi ? AnsiToUtf8(bytes) : Utf8ToAnsi(bytes), recoded)
                << bytes;
        }
        const std::u16string units = RandomMix<char16_t>(random, 0xFFFF);
        for (CodePage to : {CodePage::Ansi, CodePage::Utf8}) {
            ASSERT_EQ(Utf16ToMultiByte(units, to), whole.Encode(units, to));
        }
    }
}

TEST(UrlEncodeTest, PercentEncodesBytes) {
    struct Case {
        std::string_view text;
        bool keepSafe;
        bool asUtf8;
        std::string_view encoded;
    } cases[] = {
        {""sv, false, true, ""sv},
        {""sv, true, false, ""sv},
        {"a-b.c_d"sv, true, false, "a-b.c%5Fd"sv},
        {"a-b.c_d"sv, false, false, "%61%2D%62%2E%63%5F%64"sv},
        {kZhangSan, false, true, "%E5%BC%A0%E4%B8%89"sv},
        {"ab 1"sv, false, true, "%61%62%20%31"sv},
        {"\xD5\xC5"sv, false, false, "%D5%C5"sv},
        {"\xD5\xC5"sv, true, true, "%E5%BC%A0"sv},
        {"~*/ _+"sv, true, false, "%7E%2A%2F%20%5F%2B"sv},
        {"AZaz09-."sv, true, true, "AZaz09-."sv},
        {"\t\x7F"sv, true, false, "%09%7F"sv},
        {kGrinning, false, true, "%F0%9F%98%80"sv},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UrlEncode(c.text, c.keepSafe, c.asUtf8), c.encoded) << c.text;
    }
    EXPECT_EQ(UrlEncode("a b"), "%61%20%62");
}

struct UnescapeCase {
    std::string_view reply;
    std::string_view result;
};

template <size_t N>
void ExpectUnescaped(const UnescapeCase (&cases)[N]) {
    for (const UnescapeCase& c : cases) EXPECT_EQ(UnescapeReply(c.reply), c.result) << c.reply;
}

TEST(UnescapeReplyTest, DecodesReplyEscapes) {
    const UnescapeCase cases[] = {
        {"\\u4e2d"sv, kZhong},
        {"%41%u0042"sv, "AB"sv},
        {"100%"sv, "100%"sv},
        {"it's"sv, "it's"sv},
        {"\xA1\xAF"sv, "'"sv},
        {"a\\/b"sv, "a/b"sv},
        {"x{$}y"sv, "x\r\ny"sv},
        {"\\u767b\\u5f55\\u6210\\u529f"sv, "\xB5\xC7\xC2\xBC\xB3\xC9\xB9\xA6"sv},
        {"{\"code\":0,\"msg\":\"\\u767b\\u5f55\"}"sv,
         "{\"code\":0,\"msg\":\"\xB5\xC7\xC2\xBC\"}"sv},
        {""sv, ""sv},
        {"\xD6\xD0 plain"sv, "\xD6\xD0 plain"sv},
        {"\\U0041"sv, "U0041"sv},
        // Step 3 turns the "\u" after an escaped backslash into "%u" too.
        {"\\\\u0041"sv, "A"sv},
    };
    ExpectUnescaped(cases);
}

TEST(UnescapeReplyTest, KeepsLineBreaks) {
    const UnescapeCase cases[] = {
        {"a\r\nb"sv, "a\r\nb"sv},
        {"\ra"sv, "a"sv},
        {"\r"sv, ""sv},
        {"\r\r\nb"sv, "\r\nb"sv},
        {"%0D%0A|\\r\\n"sv, "\r\n|\r\n"sv},
        {"%7B%24%7D"sv, "\r\n"sv},
    };
    ExpectUnescaped(cases);
}

TEST(UnescapeReplyTest, EmptyWhenNoCompleteLiteral) {
    const UnescapeCase cases[] = {
        {"a\nb"sv, ""sv},
        {"a\rb"sv, ""sv},
        {"\r\r"sv, ""sv},
        {"\\u4e2d\r\nok\n"sv, ""sv},
        {"a\\"sv, ""sv},
        {"a\\\\\\"sv, ""sv},
        {"\\"sv, ""sv},
        // An even number of backslashes closes the literal.
        {"a\\\\"sv, "a\\"sv},
        {"\\\\\\\\"sv, "\\\\"sv},
        // 0x5C as the trail byte of a character is no backslash.
        {"\x95\x5C"sv, "\x95\x5C"sv},
        {"\x95\x5Cu4e2d"sv, "\x95\x5Cu4e2d"sv},
        // 0x80 is no GB18030 lead byte, so the apostrophe after it is not set
        // aside and would end the literal.
        {"\x80'x"sv, ""sv},
    };
    ExpectUnescaped(cases);
}

TEST(UnescapeReplyTest, ResolvesLiteralEscapes) {
    const UnescapeCase cases[] = {
        {"\\b\\t\\n\\f\\r"sv, "\b\t\n\f\r"sv},
        {"\\v\\\"\\'\\\\"sv, "v\"'\\"sv},
        {"\\q\\8\\9\\ "sv, "q89 "sv},
        {"\\x41\\x6a"sv, "Aj"sv},
        {"\\x4"sv, "x4"sv},
        {"\\xZZ"sv, "xZZ"sv},
        {"\\x4G"sv, "x4G"sv},
        {"\\x"sv, "x"sv},
        {"\\x25u0041"sv, "A"sv},
        {"\\x2541"sv, "A"sv},
        {"a\\x00b"sv, "a"sv},
        {"\\101"sv, "A"sv},
        {"\\1010"sv, "A0"sv},
        {"\\47"sv, "'"sv},
        {"\\477"sv, "'7"sv},
        {"\\7"sv, "\x07"sv},
        {"\\400"sv, " 0"sv},
        {"a\\18"sv,
         "a\x01"
         "8"sv},
        {"\\60\\061"sv, "01"sv},
        {"a\\0b"sv, "a"sv},
        {"a\\08"sv, "a"sv},
        // A "\u" reaches the literal only after a byte that is no character
        // (0x80 here), which takes the backslash along in the byte steps.
        {"\x80\\u0041"sv,
         "\x84\x31\xA4\x37"
         "A"sv},
        {"\x80\\u004"sv,
         "\x84\x31\xA4\x37"
         "u004"sv},
        {"\x80\\u2019"sv, "\x84\x31\xA4\x37'"sv},
    };
    ExpectUnescaped(cases);
}

TEST(UnescapeReplyTest, UnescapesPercentSequences) {
    const UnescapeCase cases[] = {
        {"%u4E2d"sv, kZhong},
        {"%u004"sv, "%u004"sv},
        {"%u00G1"sv, "%u00G1"sv},
        {"%u004g"sv, "%u004g"sv},
        {"%u"sv, "%u"sv},
        {"%U0041"sv, "%U0041"sv},
        {"%41%4"sv, "A%4"sv},
        {"%4g%"sv, "%4g%"sv},
        {"%%41"sv, "%A"sv},
        {"%2541"sv, "%41"sv},
        {"%e6%97%a5"sv, "\x81\x30\x8A\x33\x81\x30\x83\x33\x81\x30\x84\x36"sv},
        {"%uD83D%uDE00"sv, kGrinning},
        {"%uD83Dx"sv, "?x"sv},
        {"%uDE00%uD83D"sv, "??"sv},
        {"%u2019"sv, "'"sv},
        {"ab%u0000cd"sv, "ab"sv},
        {"%00ab"sv, ""sv},
    };
    ExpectUnescaped(cases);
}

}  // namespace
}  // namespace roomdesk
