#include "site/site_codec.h"

#include <gtest/gtest.h>

namespace roomdesk::site {
namespace {

TEST(SiteCodec, DecodesFormValues) {
    struct Case {
        const char* encoded;
        const char* decoded;
    } const cases[] = {
        {"%61%62", "ab"},
        {"%E6%88%BF%E4%B8%BB", "房主"},
        {"p%26ss%3D1%25", "p&ss=1%"},
        {"a+b", "a b"},
        {"1%", "1%"},        // a lone percent sign stays
        {"%zz%4", "%zz%4"},  // so does one without two hex digits
        {"%4a%4A", "JJ"},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeFormValue(c.encoded), c.decoded) << c.encoded;
}

TEST(SiteCodec, SplitsFormsAndCookies) {
    const NameValues form = ParseForm("login_type=nickname&username=%61&password=&flag&x=1=2");
    EXPECT_EQ(ValueOf(form, "username"), "a");
    EXPECT_EQ(ValueOf(form, "password"), "");
    EXPECT_EQ(ValueOf(form, "x"), "1=2");
    EXPECT_EQ(form.size(), 5u);

    const NameValues cookies = ParseCookieHeader("visitor=abc;  sid=12 ; ccn=t=1");
    ASSERT_EQ(cookies.size(), 3u);
    EXPECT_EQ(ValueOf(cookies, "sid"), "12");
    EXPECT_EQ(ValueOf(cookies, "ccn"), "t=1");
}

TEST(SiteCodec, EscapesHtmlAndJson) {
    EXPECT_EQ(EscapeHtml("Tom&Jerry <\"x\">"), "Tom&amp;Jerry &lt;&quot;x&quot;&gt;");
    struct Case {
        const char* utf8;
        const char* json;
    } const cases[] = {
        {"登录成功", "\"\\u767b\\u5f55\\u6210\\u529f\""},
        {"A😀", "\"A\\ud83d\\ude00\""},
        {"say \"hi\"\\", "\"say \\\"hi\\\"\\\\\""},
        {"\x01", "\"\\u0001\""},
        {"\xE6", "\"\\ufffd\""},  // a cut-off character
    };
    for (const auto& c : cases) EXPECT_EQ(JsonEscapedString(c.utf8), c.json) << c.utf8;
}

}  // namespace
}  // namespace roomdesk::site
