#include "login/random_digits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

namespace roomdesk {
namespace {

// A counter that gives `values` in turn (the last one again once they run out) and counts its
// readings.
struct CounterScript {
    std::vector<std::uint32_t> values;
    int reads = 0;

    TickCounter Counter() {
        return [this] {
            const std::size_t at = std::min<std::size_t>(reads, values.size() - 1);
            ++reads;
            return values[at];
        };
    }
};

// v = t * 23 + 7 modulo 2^32 for the readings used below:
//   t = 0           v = 7           v % 10 = 7, v % 5 = 2
//   t = 1           v = 30          v % 10 = 0, v % 5 = 0
//   t = 0xFFFFFFFF  v = 4294967280  v % 10 = 0, v % 5 = 0  (64-bit: % 10 = 2, % 5 = 2)
//   t = 0x10000000  v = 1879048199  v % 10 = 9, v % 5 = 4  (64-bit: % 10 = 5, % 5 = 0)
const std::vector<std::uint32_t> kReadings = {0, 1, 0xFFFFFFFFu, 0x10000000u};

TEST(RandomInRangeTest, MixesOneReadingInUnsigned32BitArithmetic) {
    struct Case {
        int low;
        int high;
        std::uint32_t reading;
        int expected;
        int reads;
    };
    const Case cases[] = {
        {1, 10, 0, 8, 1},
        {1, 10, 0xFFFFFFFFu, 1, 1},
        {1, 10, 0x10000000u, 10, 1},
        {1, 5, 0x10000000u, 5, 1},
        {5, 5, 0x10000000u, 5, 1},
        {-3, 3, 0, -3, 1},  // span 7, v % 7 = 0
        {-3, 3, 1, -1, 1},  // v % 7 = 2
        {6, 5, 0, 0, 0},    // high below low: 0, and the counter is not read
        {0, -1, 0, 0, 0},
        // The whole 32-bit range: the span wraps to 0, and every v is already in range.
        {INT_MIN, INT_MAX, 0, INT_MIN + 7, 1},
        {0, INT_MAX, 0xFFFFFFFFu, static_cast<int>(4294967280u % 2147483648u), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << ".." << c.high << " t=" << c.reading);
        CounterScript script{{c.reading}};
        EXPECT_EQ(RandomInRange(c.low, c.high, script.Counter()), c.expected);
        EXPECT_EQ(script.reads, c.reads);
    }
}

TEST(RandomDigitsTest, EachDigitReadsTheCounterAnewAndKindChoosesTheDigits) {
    struct Case {
        int count;
        int kind;
        const char* expected;
    };
    const Case cases[] = {
        {4, 0, "7009"},  // RandomInRange(1, 10) - 1
        {4, 1, "5119"},  // the RandomInRange(1, 5)-th of 1 3 5 7 9
        {4, 2, "4008"},  // ... of 0 2 4 6 8, for every kind but 0 and 1
        {4, -1, "4008"}, {2, 0, "70"}, {0, 0, ""}, {-5, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "count " << c.count << " kind " << c.kind);
        CounterScript script{kReadings};
        EXPECT_EQ(RandomDigits(c.count, c.kind, script.Counter()), c.expected);
        EXPECT_EQ(script.reads, std::max(c.count, 0));
    }
}

TEST(RandomDigitsTest, TheProcessorCounterGivesDigitsOfTheKindAsked) {
    EXPECT_EQ(RandomDigits(17, 0).size(), 17u);
    const struct {
        int kind;
        const char* allowed;
    } kinds[] = {{0, "0123456789"}, {1, "13579"}, {2, "02468"}, {7, "02468"}};
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.kind);
        const Text digits = RandomDigits(200, k.kind);
        ASSERT_EQ(digits.size(), 200u);
        EXPECT_EQ(digits.find_first_not_of(k.allowed), Text::npos) << digits;
    }
}

TEST(RandomDigitsTest, TheProcessorCounterMovesBetweenReadings) {
    // Two captcha addresses in a row must differ, or a cache could serve the old picture.
    EXPECT_NE(RandomDigits(17, 0), RandomDigits(17, 0));
    EXPECT_NE(ReadTickCounter(), ReadTickCounter());
}

}  // namespace
}  // namespace roomdesk
