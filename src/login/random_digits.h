// The random digits of the captcha address, drawn from a running counter with a fixed mixing
// step and no generator state.
#pragma once

#include <cstdint>
#include <functional>

#include "text/text_ops.h"

namespace roomdesk {

// A counter that moves on between readings; only its low 32 bits are used.
using TickCounter = std::function<std::uint32_t()>;

// The low 32 bits of the processor's time-stamp counter on x86-64; elsewhere of the steady
// clock's count.
std::uint32_t ReadTickCounter();

// A number from low to high, both included; 0 when high is below low. Reads the counter once:
// t, then v = t * 23 + 7 and the result low + v % (high - low + 1), all in unsigned 32-bit
// arithmetic. When the range spans all 2^32 values the result is low + v.
int RandomInRange(int low, int high, const TickCounter& counter = ReadTickCounter);

// `count` decimal digits, each from its own RandomInRange: kind 0 any digit, kind 1 odd digits
// only, any other kind even digits only. The empty text when count is 0 or less.
Text RandomDigits(int count, int kind, const TickCounter& counter = ReadTickCounter);

}  // namespace roomdesk
