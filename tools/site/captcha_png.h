#pragma once

#include <random>
#include <string>

namespace roomdesk::site {

inline constexpr int kCaptchaWidth = 120;
inline constexpr int kCaptchaHeight = 48;

// A 120x48 RGB PNG showing `digits` (0-9 only; other characters are left blank) in a scaled
// bitmap font, each digit with its own colour and a small vertical jitter, crossed by a few
// thin noise lines that a person reads through.
std::string DrawCaptchaPng(const std::string& digits, std::mt19937& random);

}  // namespace roomdesk::site
