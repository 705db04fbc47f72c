#include "text/html_text.h"

#include <gtest/gtest.h>

#include "text/encoding.h"

namespace roomdesk {
namespace {

TEST(DecodeHtmlText, ReplacesCharacterReferencesAndKeepsEverythingElse) {
    struct Case {
        const char* utf8Html;
        const char* utf8Text;
    };
    const Case cases[] = {
        {"", ""},
        {"Tom&amp;Jerry", "Tom&Jerry"},
        {"&lt;b&gt; &quot;x&quot; &apos;y&apos;", "<b> \"x\" 'y'"},
        {"a&nbsp;b", "a b"},
        {"&#38;&#x26;&#X26;", "&&&"},
        {"&#20013;&#x6587;", "中文"},
        {"&#x1F600;", "😀"},
        {"&amp;amp;", "&amp;"},    // decoded once
        {"AT&T", "AT&T"},          // a bare "&"
        {"a & b; c", "a & b; c"},  // no reference between "&" and ";"
        {"&amp", "&amp"},          // unterminated
        {"&copy;", "&copy;"},      // a name we do not know
        {"&#0;&#xD800;&#x110000;&#;&#x;&#12a;", "&#0;&#xD800;&#x110000;&#;&#x;&#12a;"},
        {"&&amp;", "&&"},
        {"小明&amp;小红", "小明&小红"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeHtmlText(Utf8ToAnsi(c.utf8Html)), Utf8ToAnsi(c.utf8Text)) << c.utf8Html;
    }
}

TEST(DecodeHtmlText, NeverTakesATrailByteForAnAmpersand) {
    // Bytes 0x81 0x26 are walked as one character, so its 0x26 starts no reference.
    const Text text = "\x81&amp;";
    EXPECT_EQ(DecodeHtmlText(text), "\x81&amp;");
}

}  // namespace
}  // namespace roomdesk
