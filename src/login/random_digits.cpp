#include "login/random_digits.h"

#include <chrono>

#if defined(__x86_64__)
#include <x86intrin.h>
#endif

namespace roomdesk {

std::uint32_t ReadTickCounter() {
#if defined(__x86_64__)
    return static_cast<std::uint32_t>(__rdtsc());
#else
    return static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
#endif
}

int RandomInRange(int low, int high, const TickCounter& counter) {
    if (high < low) return 0;
    const std::uint32_t v = counter() * 23u + 7u;
    const std::uint32_t span =
        static_cast<std::uint32_t>(high) - static_cast<std::uint32_t>(low) + 1u;
    // A span of 0 is the whole 32-bit range, where every v is already in range.
    const std::uint32_t offset = span == 0 ? v : v % span;
    return static_cast<int>(static_cast<std::uint32_t>(low) + offset);
}

Text RandomDigits(int count, int kind, const TickCounter& counter) {
    Text digits;
    for (int i = 0; i < count; ++i) {
        int digit = 0;
        if (kind == 0) {
            digit = RandomInRange(1, 10, counter) - 1;
        } else {
            // The n-th of 1, 3, 5, 7, 9 for kind 1, of 0, 2, 4, 6, 8 for any other kind.
            digit = 2 * RandomInRange(1, 5, counter) - (kind == 1 ? 1 : 2);
        }
        digits += static_cast<char>('0' + digit);
    }
    return digits;
}

}  // namespace roomdesk
