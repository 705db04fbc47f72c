#include "skin/skin_choice.h"

#include <gtest/gtest.h>

namespace roomdesk::skin {
namespace {

TEST(SkinForChoiceTest, EmptyTextAsksForAChoiceElseSkinIsIndexPlusOne) {
    struct Case {
        const char16_t* text;
        int selectedIndex;
        std::optional<int> skin;
    };
    const Case cases[] = {
        {u"", -1, std::nullopt},  // nothing chosen: the message
        {u"", 4, std::nullopt},   // the text decides, not the index
        {u"皮肤1", 0, 1},        {u"皮肤5", 4, 5},
        {u"皮肤58", 57, 58},     {u"蓝色", -1, 0},  // typed text, no item: skin 0, no skin data
        {u" ", -1, 0},                              // a blank is text too
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(SkinForChoice(text, c.selectedIndex), c.skin)
            << text.toStdString() << " / " << c.selectedIndex;
    }
}

}  // namespace
}  // namespace roomdesk::skin
