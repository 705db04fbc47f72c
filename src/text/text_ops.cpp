#include "text/text_ops.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstddef>
#include <limits>

namespace roomdesk {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool IsLead(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Length of the character that starts with `c` (a lone lead byte at the end of
// the text also reports 2, which moves a walk past the end).
std::size_t CharLength(char c) { return IsLead(c) ? 2 : 1; }

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c | 0x20) : c; }

bool EqualFolded(const char* a, std::string_view b) {
    for (std::size_t k = 0; k < b.size(); ++k) {
        if (FoldCase(a[k]) != FoldCase(b[k])) return false;
    }
    return true;
}

// Offset of the first occurrence of the non-empty `pattern` that starts on a
// character of a walk beginning at offset `from` and ends at or before offset
// `end`; kNone when there is none.
std::size_t FindOnBoundary(std::string_view text, std::size_t from, std::size_t end,
                           std::string_view pattern, bool ignoreCase) {
    const std::size_t m = pattern.size();
    if (!ignoreCase) {
        const std::string_view region = text.substr(0, end);
        std::size_t i = from;
        while (true) {
            const std::size_t candidate = region.find(pattern, i);
            if (candidate == kNone) return kNone;
            // The candidate lies before the end of the text, so the walk up to
            // it never meets a lone lead byte at the end.
            while (i < candidate) i += CharLength(text[i]);
            if (i == candidate) return candidate;
            // The candidate started on a trail byte; look again from the next character.
        }
    }
    const char first = FoldCase(pattern[0]);
    for (std::size_t i = from; i + m <= end; i += CharLength(text[i])) {
        if (FoldCase(text[i]) == first && EqualFolded(text.data() + i, pattern)) return i;
    }
    return kNone;
}

bool IsBlankAt(std::string_view text, std::size_t i) {
    if (text[i] == ' ') return true;
    return i + 1 < text.size() && text[i] == '\xA1' && text[i + 1] == '\xA1';
}

bool IsLoneLastByte(std::string_view text, std::size_t i) {
    return i + 1 == text.size() && IsLead(text[i]);
}

int ToPosition(std::size_t offset) { return static_cast<int>(offset) + 1; }

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipSpaces(std::string_view s, std::size_t i) {
    while (i < s.size() && IsSpace(s[i])) ++i;
    return i;
}

std::size_t SkipDigits(std::string_view s, std::size_t i) {
    while (i < s.size() && IsDigit(s[i])) ++i;
    return i;
}

Text ChangeCase(std::string_view text, char from, char to) {
    Text out(text);
    for (std::size_t i = 0; i < out.size(); i += CharLength(out[i])) {
        if (out[i] >= from && out[i] <= static_cast<char>(from + 25)) {
            out[i] = static_cast<char>(out[i] - from + to);
        }
    }
    return out;
}

// Decimal magnitude of the number intDigits.fracDigits times ten to `exponent`:
// positive when its value is at least 1. Tells overflow from underflow.
long long DecimalMagnitude(std::string_view intDigits, std::string_view fracDigits,
                           long long exponent) {
    for (std::size_t k = 0; k < intDigits.size(); ++k) {
        if (intDigits[k] != '0') return static_cast<long long>(intDigits.size() - k) + exponent;
    }
    for (std::size_t k = 0; k < fracDigits.size(); ++k) {
        if (fracDigits[k] != '0') return exponent - static_cast<long long>(k);
    }
    return 0;
}

}  // namespace

int FindText(std::string_view text, std::string_view pattern, std::optional<int> start,
             bool ignoreCase) {
    const std::size_t n = text.size();
    std::size_t s = 0;
    if (start && *start > 1) s = static_cast<std::size_t>(*start) - 1;
    if (s >= n) return -1;
    if (pattern.empty()) return 1;
    const std::size_t found = FindOnBoundary(text, s, n, pattern, ignoreCase);
    return found == kNone ? -1 : ToPosition(found);
}

int FindTextReverse(std::string_view text, std::string_view pattern, std::optional<int> start,
                    bool ignoreCase) {
    const std::size_t n = text.size();
    std::size_t limit = n;
    if (start) {
        if (*start < 1) {
            limit = 0;
        } else if (static_cast<std::size_t>(*start) - 1 < n) {
            limit = static_cast<std::size_t>(*start) - 1;
        }
    }
    if (pattern.empty()) return limit > 0 ? 1 : -1;
    std::size_t last = kNone;
    std::size_t from = 0;
    while (true) {
        const std::size_t found = FindOnBoundary(text, from, limit, pattern, ignoreCase);
        if (found == kNone) break;
        last = found;
        from = found + CharLength(text[found]);
        if (from > n) break;
    }
    return last == kNone ? -1 : ToPosition(last);
}

int TextLength(std::string_view text) {
    return text.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX
                                                           : static_cast<int>(text.size());
}

Text LeftText(std::string_view text, int count) {
    if (count <= 0) return {};
    return Text(text.substr(0, static_cast<std::size_t>(count)));
}

Text RightText(std::string_view text, int count) {
    if (count <= 0) return {};
    const std::size_t take = std::min(static_cast<std::size_t>(count), text.size());
    return Text(text.substr(text.size() - take));
}

Text MidText(std::string_view text, int start, int count) {
    const long long s = static_cast<long long>(start) - 1;
    if (s < 0 || static_cast<std::size_t>(s) >= text.size() || count <= 0) return {};
    return Text(text.substr(static_cast<std::size_t>(s), static_cast<std::size_t>(count)));
}

Text ReplaceText(std::string_view text, std::string_view old, std::string_view replacement,
                 bool caseSensitive, ReplaceLimits limits) {
    const std::size_t n = text.size();
    std::size_t s = 0;
    if (limits.start && *limits.start > 1) s = static_cast<std::size_t>(*limits.start) - 1;
    const bool counted = limits.count && *limits.count >= 0;
    int remaining = counted ? *limits.count : 0;
    if (text.empty() || old.empty() || s >= n || (counted && remaining == 0)) return Text(text);

    Text out;
    out.reserve(n);
    std::size_t copied = 0;  // bytes of `text` already in `out`
    std::size_t from = s;
    while (true) {
        const std::size_t found = FindOnBoundary(text, from, n, old, !caseSensitive);
        if (found == kNone) break;
        out.append(text, copied, found - copied);
        out.append(replacement);
        copied = from = found + old.size();
        if (counted && --remaining == 0) break;
    }
    // A lone lead byte at the very end is kept with the rest.
    out.append(text, copied);
    return out;
}

std::vector<Text> SplitText(std::string_view text, std::string_view delimiter,
                            std::optional<int> maxCount) {
    std::vector<Text> parts;
    const bool limited = maxCount.has_value();
    const int limit = limited ? std::max(*maxCount, 0) : 0;
    if (text.empty() || (limited && limit == 0)) return parts;
    if (delimiter.empty()) {
        parts.emplace_back(text);
        return parts;
    }
    std::size_t element = 0;
    while (true) {
        const std::size_t found = FindOnBoundary(text, element, text.size(), delimiter, false);
        if (found == kNone) break;
        parts.emplace_back(text.substr(element, found - element));
        element = found + delimiter.size();
        if (limited && static_cast<int>(parts.size()) == limit) return parts;
    }
    if (element < text.size()) parts.emplace_back(text.substr(element));
    return parts;
}

Text TrimText(std::string_view text) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && IsBlankAt(text, i)) i += CharLength(text[i]);
    const std::size_t front = i;
    std::size_t end = n;
    std::size_t runStart = kNone;  // start of the current run of blanks
    while (i < n) {
        if (IsLoneLastByte(text, i)) {
            // The cut-short character goes; blanks before it stay.
            end = i;
            runStart = kNone;
            break;
        }
        if (!IsBlankAt(text, i)) {
            runStart = kNone;
        } else if (runStart == kNone) {
            runStart = i;
        }
        i += CharLength(text[i]);
    }
    if (runStart != kNone) end = runStart;
    return Text(text.substr(front, end - front));
}

Text RemoveSpaces(std::string_view text) {
    Text out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (IsLoneLastByte(text, i)) break;
        const std::size_t length = CharLength(text[i]);
        if (!IsBlankAt(text, i)) out.append(text, i, length);
        i += length;
    }
    return out;
}

Text ToUpper(std::string_view text) { return ChangeCase(text, 'a', 'A'); }

Text ToLower(std::string_view text) { return ChangeCase(text, 'A', 'a'); }

Text FoldFullWidth(std::string_view text) {
    Text out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (!IsLead(text[i]) || i + 1 == text.size()) {
            out.push_back(text[i]);
            ++i;
            continue;
        }
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const unsigned char trail = static_cast<unsigned char>(text[i + 1]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            out.push_back(static_cast<char>(trail - 0x80));
        } else if (lead == 0xA1 && trail == 0xA1) {
            out.push_back(' ');
        } else if (lead == 0xA1 && trail == 0xAB) {
            out.push_back('~');
        } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            out.push_back('*');
        } else {
            out.append(text, i, 2);
        }
        i += 2;
    }
    return out;
}

std::int32_t ToInteger(std::string_view text) {
    const Text folded = FoldFullWidth(text);
    std::size_t i = SkipSpaces(folded, 0);
    bool negative = false;
    if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) {
        negative = folded[i] == '-';
        ++i;
    }
    // Digits beyond the 32-bit range saturate at INT32_MAX or INT32_MIN.
    const long long bound = negative ? -static_cast<long long>(INT32_MIN) : INT32_MAX;
    long long value = 0;
    for (; i < folded.size() && IsDigit(folded[i]); ++i) {
        value = std::min(value * 10 + (folded[i] - '0'), bound);
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

double ToNumber(std::string_view text) {
    const Text folded = FoldFullWidth(text);
    const std::string_view s = folded;
    std::size_t i = SkipSpaces(s, 0);
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    const std::size_t numberStart = i;
    const std::size_t intEnd = SkipDigits(s, i);
    std::size_t end = intEnd;
    std::size_t fracStart = intEnd;
    std::size_t fracEnd = intEnd;
    if (intEnd < s.size() && s[intEnd] == '.') {
        fracStart = intEnd + 1;
        fracEnd = SkipDigits(s, fracStart);
        // A point counts only with digits before or after it.
        if (fracEnd > fracStart || intEnd > numberStart) end = fracEnd;
    }
    if (end == numberStart) return 0.0;
    long long exponent = 0;
    if (end < s.size() && (s[end] == 'e' || s[end] == 'E')) {
        std::size_t k = end + 1;
        bool expNegative = false;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) {
            expNegative = s[k] == '-';
            ++k;
        }
        const std::size_t expEnd = SkipDigits(s, k);
        if (expEnd > k) {
            for (std::size_t d = k; d < expEnd; ++d) {
                exponent = std::min(exponent * 10 + (s[d] - '0'), 1000000LL);
            }
            if (expNegative) exponent = -exponent;
            end = expEnd;
        }
    }
    double value = 0.0;
    const std::errc ec =
        std::from_chars(s.data() + numberStart, s.data() + end, value, std::chars_format::general)
            .ec;
    if (ec == std::errc::result_out_of_range) {
        const long long magnitude =
            DecimalMagnitude(s.substr(numberStart, intEnd - numberStart),
                             s.substr(fracStart, fracEnd - fracStart), exponent);
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

Text NumberToText(int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return Text(buffer, result.ptr);
}

Text NumberToText(double value) {
    // The general format with 13 significant digits ("%.13g"), independent of the locale.
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 13);
    return Text(buffer, result.ptr);
}

Text TextBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker,
                 std::optional<int> start, bool ignoreCase) {
    const Text startWanted = ReplaceText(startMarker, kQuoteToken, "\"", true);
    const Text endWanted = ReplaceText(endMarker, kQuoteToken, "\"", true);
    int a = FindText(text, startWanted, start, ignoreCase);
    if (a == -1) return {};
    a += TextLength(startWanted);
    const int b = FindText(text, endWanted, a, ignoreCase);
    if (b == -1) return {};
    return MidText(text, a, b - a);
}

Text TextLeftOf(std::string_view text, std::string_view marker, std::optional<int> start,
                bool ignoreCase) {
    const int p = (start && *start > 0) ? *start : 1;
    const int a = FindText(text, marker, p, ignoreCase);
    if (a == -1) return {};
    return LeftText(text, a - 1);
}

Text TextRightOfLast(std::string_view text, std::string_view marker, std::optional<int> start,
                     bool ignoreCase) {
    const int p = start ? *start : TextLength(text);
    const int a = FindTextReverse(text, marker, p, ignoreCase);
    if (a == -1) return {};
    return RightText(text, TextLength(text) - TextLength(marker) - a + 1);
}

Text TextAfterColon(std::string_view line) {
    const int a = FindText(line, ":");
    if (a == -1) return {};
    return TrimText(RightText(line, TextLength(line) - a));
}

}  // namespace roomdesk
