// Searching and cutting Text: byte strings in the system code page (GB18030,
// a superset of code page 936). Positions count bytes from 1; a failed search
// gives -1. Searches, replacements, splits, trims and case changes walk the text
// character by character (a byte of 0x80 or above starts a two-byte character),
// so they never find or change anything that starts on a trail byte.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace roomdesk {

// A text in the system code page; holds no NUL byte.
using Text = std::string;
// A length-counted byte buffer that may hold NUL bytes.
using Bytes = std::string;

// The quote token "#引号" (in GB18030 bytes), which stands for a double quote in
// the markers of TextBetween and in a RegexObject pattern.
inline constexpr std::string_view kQuoteToken = "#\xD2\xFD\xBA\xC5";

int FindText(std::string_view text, std::string_view pattern,
             std::optional<int> start = std::nullopt, bool ignoreCase = false);
int FindTextReverse(std::string_view text, std::string_view pattern,
                    std::optional<int> start = std::nullopt, bool ignoreCase = false);

int TextLength(std::string_view text);
Text LeftText(std::string_view text, int count);
Text RightText(std::string_view text, int count);
Text MidText(std::string_view text, int start, int count);

struct ReplaceLimits {
    std::optional<int> start;  // position from 1; absent searches from the first byte
    std::optional<int> count;  // absent or negative: unlimited
};
Text ReplaceText(std::string_view text, std::string_view old, std::string_view replacement,
                 bool caseSensitive, ReplaceLimits limits = {});

std::vector<Text> SplitText(std::string_view text, std::string_view delimiter = ",",
                            std::optional<int> maxCount = std::nullopt);

Text TrimText(std::string_view text);
Text RemoveSpaces(std::string_view text);
Text ToUpper(std::string_view text);
Text ToLower(std::string_view text);

// The full-width fold applied before a text is read as a number or a date.
Text FoldFullWidth(std::string_view text);
std::int32_t ToInteger(std::string_view text);
double ToNumber(std::string_view text);
Text NumberToText(int value);
Text NumberToText(double value);

Text TextBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker,
                 std::optional<int> start = std::nullopt, bool ignoreCase = false);
Text TextLeftOf(std::string_view text, std::string_view marker,
                std::optional<int> start = std::nullopt, bool ignoreCase = false);
Text TextRightOfLast(std::string_view text, std::string_view marker,
                     std::optional<int> start = std::nullopt, bool ignoreCase = false);
Text TextAfterColon(std::string_view line);

}  // namespace roomdesk
