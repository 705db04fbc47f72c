#include "site/captcha_png.h"

#include <gtest/gtest.h>

#include "site_test_support.h"

namespace roomdesk::site {
namespace {

using testing::DecodePng;

// Digit i is drawn in the columns 6 + 28 i - 2 .. 6 + 28 i + 22 (20 wide, jittered by 2).
int InkInColumns(const testing::Picture& picture, int from, int to) {
    int dark = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = std::max(0, from); x < std::min(picture.width, to); ++x) {
            dark += picture.Dark(x, y);
        }
    }
    return dark;
}

TEST(CaptchaPng, IsA120By48PngWithInkOnlyWhereTheDigitsAre) {
    std::mt19937 random(7);
    for (const char* digits : {"0000", "1111", "8080", "4719"}) {
        const auto picture = DecodePng(DrawCaptchaPng(digits, random));
        ASSERT_EQ(picture.width, kCaptchaWidth) << digits;
        ASSERT_EQ(picture.height, kCaptchaHeight) << digits;
        int total = 0;
        for (int i = 0; i < 4; ++i) {
            const int ink = InkInColumns(picture, 6 + 28 * i - 2, 6 + 28 * i + 22);
            EXPECT_GE(ink, 100) << digits << " digit " << i;  // a "1" alone has 10 * 16 pixels
            total += ink;
        }
        EXPECT_EQ(InkInColumns(picture, 0, kCaptchaWidth), total) << digits << ": ink elsewhere";
    }
}

TEST(CaptchaPng, DifferentDigitsDrawDifferentShapes) {
    std::mt19937 first(1), second(1);  // same noise for both
    const auto ones = DecodePng(DrawCaptchaPng("1111", first));
    const auto eights = DecodePng(DrawCaptchaPng("8888", second));
    EXPECT_LT(InkInColumns(ones, 0, kCaptchaWidth), InkInColumns(eights, 0, kCaptchaWidth));
}

}  // namespace
}  // namespace roomdesk::site
