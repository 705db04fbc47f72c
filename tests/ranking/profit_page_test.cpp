// One gift-income page: its conversions, its page count and the gift rows the pattern finds.
#include "ranking/profit_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/encoding.h"

namespace roomdesk {
namespace {

using Rows = std::vector<ListView::Row>;

Text A(std::string_view utf8) { return Utf8ToAnsi(utf8); }

// A table row as the site lays it out: the amount cell, CR LF and 16 spaces, the nickname cell,
// CR LF and 14 spaces, the end of the row.
std::string GiftRow(const std::string& amount, const std::string& nickname,
                    const std::string& afterAmount = "\r\n                ",
                    const std::string& afterNickname = "\r\n              ") {
    return "              <tr>\r\n                <td>2024-05-15 10:00:00</td>\r\n"
           "                <td class=\"org\">" +
           amount + "</td>" + afterAmount + "<td>" + nickname + "</td>" + afterNickname +
           "</tr>\r\n";
}

TEST(ProfitPageTest, PageCountStandsBetweenThePagersMarkers) {
    struct Case {
        const char* pageUtf8;
        int count;
    };
    const Case cases[] = {
        {"<span>共 3 页</span>", 3},
        {"<span>共 12 页</span> ... <span>共 5 页</span>", 12},
        {"<span>共12页</span>", 0},
        {"<span>共 3页</span>", 0},
        {"<span>共 x 页</span>", 0},
        {"no pager", 0},
        {"", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pageUtf8);
        EXPECT_EQ(PageCountOf(A(c.pageUtf8)), c.count);
    }
}

TEST(ProfitPageTest, GiftRowsOfOneHundredAreFound) {
    struct Case {
        const char* what;
        std::string page;
        std::vector<Text> nicknames;
    };
    const Case cases[] = {
        {"amounts 100, 100, 200",
         GiftRow("100", "a") + GiftRow("100", "b") + GiftRow("200", "c"),
         {"a", "b"}},
        {"1000 and 10 are other amounts", GiftRow("1000", "a") + GiftRow("10", "b"), {}},
        {"LF alone between the cells", GiftRow("100", "a", "\n                "), {}},
        {"15 spaces before the nickname cell", GiftRow("100", "a", "\r\n               "), {}},
        {"13 spaces before the end of the row",
         GiftRow("100", "a", "\r\n                ", "\r\n             "),
         {}},
        {"upper-case tags and class",
         "<TD CLASS=\"ORG\">100</TD>\r\n                <TD>Big</TD>\r\n              </TR>",
         {"Big"}},
        {"a nickname holding a cell end", GiftRow("100", "x</td>y"), {"x</td>y"}},
        {"a Chinese nickname keeps its bytes", GiftRow("100", A("土豪甲")), {A("土豪甲")}},
        {"an empty nickname", GiftRow("100", ""), {""}},
        {"character references stand for their characters",
         GiftRow("100", "Tom&amp;Jerry"),
         {"Tom&Jerry"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rows expected;
        for (const Text& nickname : c.nicknames) expected.push_back({"", nickname, "100"});
        EXPECT_EQ(GiftRowsOf(c.page), expected);
    }
}

TEST(ProfitPageTest, BothConversionsReadUtf8UpToTheFirstNul) {
    const std::string body = std::string("共 2 页 ") + std::string("\0tail", 5);
    for (BodyConversion conversion : {BodyConversion::kUtf8Bytes, BodyConversion::kTextThenUtf8}) {
        EXPECT_EQ(ConvertProfitBody(conversion, body), A("共 2 页 "));
    }
}

}  // namespace
}  // namespace roomdesk
