#include "text/encoding.h"

#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <optional>

namespace roomdesk {
namespace {

// Pages are mostly ASCII markup: runs of ASCII are copied or widened here, and
// only the stretches between them are converted character by character. A
// stretch ends before the first run of at least this many ASCII units, so short
// gaps between non-ASCII characters stay inside one stretch.
constexpr size_t kMinAsciiRun = 16;

// Number of ASCII units at the start of `s`, eight bytes at a time.
size_t AsciiPrefix(std::string_view s) {
    size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        if (word & 0x8080808080808080ULL) break;
    }
    while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) ++i;
    return i;
}

size_t AsciiPrefix(std::u16string_view s) {
    size_t i = 0;
    for (; i + 4 <= s.size(); i += 4) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        if (word & 0xFF80FF80FF80FF80ULL) break;
    }
    while (i < s.size() && s[i] < 0x80) ++i;
    return i;
}

// Number of non-ASCII units at the start of `s`, for bytes eight at a time.
size_t NonAsciiPrefix(std::string_view s) {
    size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        if ((word & 0x8080808080808080ULL) != 0x8080808080808080ULL) break;
    }
    while (i < s.size() && static_cast<unsigned char>(s[i]) >= 0x80) ++i;
    return i;
}

size_t NonAsciiPrefix(std::u16string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] >= 0x80) ++i;
    return i;
}

// The end of the stretch that starts at the non-ASCII unit `start`: the first
// long ASCII run after it, moved `keepAfter` units into that run.
template <typename Unit>
size_t StretchEnd(std::basic_string_view<Unit> s, size_t start, size_t keepAfter) {
    size_t i = start;
    while (true) {
        i += NonAsciiPrefix(s.substr(i));
        const size_t run = AsciiPrefix(s.substr(i, kMinAsciiRun));
        if (run == kMinAsciiRun || i + run == s.size()) return i + std::min(run, keepAfter);
        i += run;
    }
}

// Splits `s` into ASCII runs and the stretches between them, in order. A
// stretch also takes the `keepBefore` ASCII units before it and the
// `keepAfter` units after it, for conversions whose characters may begin or
// end with an ASCII unit.
template <typename Unit, typename OnAscii, typename OnStretch>
void ForEachStretch(std::basic_string_view<Unit> s, size_t keepBefore, size_t keepAfter,
                    OnAscii onAscii, OnStretch onStretch) {
    size_t i = 0;
    while (i < s.size()) {
        const size_t run = AsciiPrefix(s.substr(i));
        const size_t nonAscii = i + run;
        if (nonAscii == s.size()) {
            onAscii(s.substr(i));
            return;
        }
        const size_t stretchStart = nonAscii - std::min(run, keepBefore);
        if (stretchStart > i) onAscii(s.substr(i, stretchStart - i));
        const size_t end = StretchEnd(s, nonAscii, keepAfter);
        onStretch(s.substr(stretchStart, end - stretchStart));
        i = end;
    }
}

// ICU converters keep state, so each thread has its own.
class Gb18030Converter {
public:
    Gb18030Converter() {
        UErrorCode error = U_ZERO_ERROR;
        converter_ = ucnv_open("gb18030", &error);
        if (U_SUCCESS(error)) ucnv_setSubstChars(converter_, "?", 1, &error);
    }
    ~Gb18030Converter() { ucnv_close(converter_); }
    Gb18030Converter(const Gb18030Converter&) = delete;
    Gb18030Converter& operator=(const Gb18030Converter&) = delete;

    UConverter* get() const { return converter_; }

private:
    UConverter* converter_ = nullptr;
};

UConverter* Gb18030() {
    thread_local Gb18030Converter converter;
    return converter.get();
}

// The two-byte GB18030 characters (every character of code page 936 is one),
// read from ICU once, so that the common characters cost a table look-up
// instead of an ICU call. The four-byte characters of the supplementary planes
// (emoji among them) are reckoned below; ICU converts the rest: the four-byte
// characters of the BMP, unpaired surrogates and bytes that are no character.
class TwoByteCodes {
public:
    static const TwoByteCodes& Get() {
        static const TwoByteCodes codes;
        return codes;
    }

    // The unit of the two-byte character lead << 8 | trail; 0 when there is none.
    char16_t UnitOf(std::uint16_t code) const { return units_[code]; }

    // lead << 8 | trail of the character `unit`; 0 when it has no two-byte code.
    std::uint16_t CodeOf(char16_t unit) const { return codes_[unit]; }

private:
    static constexpr unsigned kFirstLead = 0x81, kLastLead = 0xFE;
    static constexpr unsigned kFirstTrail = 0x40, kLastTrail = 0xFE;

    // Keeps the codes that ICU decodes to one BMP character and encodes back to
    // the same two bytes.
    TwoByteCodes() {
        UErrorCode error = U_ZERO_ERROR;
        UConverter* converter = ucnv_open("gb18030", &error);
        if (U_FAILURE(error)) return;
        for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead) {
            for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail) {
                const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                UChar unit[2];
                error = U_ZERO_ERROR;
                const int32_t units = ucnv_toUChars(converter, unit, 2, bytes, 2, &error);
                if (U_FAILURE(error) || units != 1 || U16_IS_SURROGATE(unit[0]) ||
                    unit[0] == 0xFFFD) {
                    continue;
                }
                char back[4];
                error = U_ZERO_ERROR;
                const int32_t length = ucnv_fromUChars(converter, back, 4, unit, 1, &error);
                if (U_FAILURE(error) || length != 2 || back[0] != bytes[0] || back[1] != bytes[1]) {
                    continue;
                }
                const auto code = static_cast<std::uint16_t>(lead << 8 | trail);
                units_[code] = unit[0];
                codes_[unit[0]] = code;
            }
        }
        ucnv_close(converter);
    }

    std::array<char16_t, 0x10000> units_{};
    std::array<std::uint16_t, 0x10000> codes_{};
};

int32_t IcuDecode(std::string_view bytes, CodePage codePage, char16_t* out) {
    UErrorCode error = U_ZERO_ERROR;
    const auto length = static_cast<int32_t>(bytes.size());
    int32_t written = 0;
    if (codePage == CodePage::Utf8) {
        u_strFromUTF8WithSub(out, length, &written, bytes.data(), length, 0xFFFD, nullptr, &error);
    } else {
        written = ucnv_toUChars(Gb18030(), out, length, bytes.data(), length, &error);
    }
    return U_SUCCESS(error) ? written : 0;
}

int32_t IcuEncode(std::u16string_view units, CodePage codePage, char* out) {
    UErrorCode error = U_ZERO_ERROR;
    const auto length = static_cast<int32_t>(units.size());
    // A unit gives at most three UTF-8 bytes or four GB18030 bytes.
    const int32_t capacity = length * (codePage == CodePage::Utf8 ? 3 : 4);
    int32_t written = 0;
    if (codePage == CodePage::Utf8) {
        u_strToUTF8WithSub(out, capacity, &written, units.data(), length, u'?', nullptr, &error);
    } else {
        written = ucnv_fromUChars(Gb18030(), out, capacity, units.data(), length, &error);
    }
    return U_SUCCESS(error) ? written : 0;
}

// Characters outside the BMP have four-byte GB18030 codes counted on from
// 90 30 81 30 (U+10000) to E3 32 9A 35 (U+10FFFF), the last byte fastest; the
// second to fourth bytes take 10, 126 and 10 values.
constexpr UChar32 kFourByteSpan = 10 * 126 * 10;

bool IsDigitByte(unsigned char b) { return b >= 0x30 && b <= 0x39; }
bool IsLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// The supplementary character of the four bytes at `p`, or -1 when they code none.
UChar32 SupplementaryOf(const unsigned char* p) {
    if (p[0] < 0x90) return -1;
    const UChar32 linear = (p[0] - 0x90) * kFourByteSpan + (p[1] - 0x30) * (126 * 10) +
                           (p[2] - 0x81) * 10 + (p[3] - 0x30);
    return linear <= 0xFFFFF ? 0x10000 + linear : -1;
}

char* WriteSupplementary(UChar32 c, char* p) {
    UChar32 linear = c - 0x10000;
    p[0] = static_cast<char>(0x90 + linear / kFourByteSpan);
    linear %= kFourByteSpan;
    p[1] = static_cast<char>(0x30 + linear / (126 * 10));
    linear %= 126 * 10;
    p[2] = static_cast<char>(0x81 + linear / 10);
    p[3] = static_cast<char>(0x30 + linear % 10);
    return p + 4;
}

// Decodes GB18030 bytes into `p` as far as it can without ICU: ASCII, two-byte
// characters and the four-byte characters of the supplementary planes, each of
// which ends where ICU would end it. Stops at anything else. Returns the
// number of bytes read; `p` moves past the units written.
size_t DecodeCommonGb18030(std::string_view bytes, char16_t*& p) {
    const TwoByteCodes& codes = TwoByteCodes::Get();
    const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        if (src[i] < 0x80) {
            *p++ = src[i++];
            continue;
        }
        if (i + 1 == n) break;
        if (const char16_t unit =
                codes.UnitOf(static_cast<std::uint16_t>(src[i] << 8 | src[i + 1]))) {
            *p++ = unit;
            i += 2;
            continue;
        }
        if (i + 4 > n || !IsDigitByte(src[i + 1]) || !IsLeadByte(src[i + 2]) ||
            !IsDigitByte(src[i + 3])) {
            break;
        }
        const UChar32 c = SupplementaryOf(src + i);
        if (c < 0) break;
        *p++ = U16_LEAD(c);
        *p++ = U16_TRAIL(c);
        i += 4;
    }
    return i;
}

// Appends the UTF-16 units of a stretch of bytes. Ill-formed sequences become
// U+FFFD. A byte never gives more than one unit.
void AppendDecoded(std::string_view bytes, CodePage codePage, std::u16string& out) {
    const size_t old = out.size();
    out.resize(old + bytes.size());
    char16_t* p = out.data() + old;
    // ICU takes the rest of the stretch from the first rare character on (a
    // four-byte character of the BMP, bytes that are no character).
    const size_t i = codePage == CodePage::Ansi ? DecodeCommonGb18030(bytes, p) : 0;
    if (i < bytes.size()) p += IcuDecode(bytes.substr(i), codePage, p);
    out.resize(static_cast<size_t>(p - out.data()));
}

// Appends the GB18030 bytes of a stretch of UTF-16 units; an unpaired surrogate
// becomes "?". The characters without a two-byte code of the BMP, and the
// unpaired surrogates, go to ICU run by run.
void AppendEncodedGb18030(std::u16string_view units, std::string& out) {
    const TwoByteCodes& codes = TwoByteCodes::Get();
    // Two bytes for every unit, more only where ICU is called.
    size_t used = out.size();
    out.resize(used + units.size() * 2);
    char* p = out.data() + used;
    size_t i = 0;
    while (i < units.size()) {
        const char16_t unit = units[i];
        if (unit < 0x80) {
            *p++ = static_cast<char>(unit);
            ++i;
            continue;
        }
        if (const std::uint16_t code = codes.CodeOf(unit)) {
            *p++ = static_cast<char>(code >> 8);
            *p++ = static_cast<char>(code & 0xFF);
            ++i;
            continue;
        }
        if (U16_IS_LEAD(unit) && i + 1 < units.size() && U16_IS_TRAIL(units[i + 1])) {
            p = WriteSupplementary(U16_GET_SUPPLEMENTARY(unit, units[i + 1]), p);
            i += 2;
            continue;
        }
        size_t end = i + 1;
        while (end < units.size() && units[end] >= 0x80 && codes.CodeOf(units[end]) == 0 &&
               !U16_IS_LEAD(units[end])) {
            ++end;
        }
        // ICU may write four bytes for each unit of the run.
        used = static_cast<size_t>(p - out.data());
        out.resize(used + (end - i) * 4 + (units.size() - end) * 2);
        p = out.data() + used;
        p += IcuEncode(units.substr(i, end - i), CodePage::Ansi, p);
        i = end;
    }
    out.resize(static_cast<size_t>(p - out.data()));
}

// Appends the bytes of a stretch of UTF-16 units; an unpaired surrogate becomes "?".
void AppendEncoded(std::u16string_view units, CodePage codePage, std::string& out) {
    if (codePage == CodePage::Ansi) {
        AppendEncodedGb18030(units, out);
        return;
    }
    const size_t old = out.size();
    out.resize(old + units.size() * 3);
    const int32_t written = IcuEncode(units, CodePage::Utf8, out.data() + old);
    out.resize(old + static_cast<size_t>(written));
}

void AppendCodePoint(std::u16string& out, UChar32 c) {
    if (c <= 0xFFFF) {
        out += static_cast<char16_t>(c);
    } else {
        out += static_cast<char16_t>(U16_LEAD(c));
        out += static_cast<char16_t>(U16_TRAIL(c));
    }
}

// Appends `units` with each character and the combining marks after it
// written as one precomposed character, pair by pair, where one exists.
void AppendComposed(std::u16string_view units, std::u16string& out) {
    UErrorCode error = U_ZERO_ERROR;
    const UNormalizer2* nfc = unorm2_getNFCInstance(&error);
    if (U_FAILURE(error)) {
        out += units;
        return;
    }
    UChar32 pending = U_SENTINEL;
    for (size_t i = 0; i < units.size();) {
        UChar32 c;
        U16_NEXT(units.data(), i, units.size(), c);
        if (pending >= 0 && (U_GET_GC_MASK(c) & U_GC_M_MASK) != 0) {
            const UChar32 composite = unorm2_composePair(nfc, pending, c);
            if (composite >= 0) {
                pending = composite;
                continue;
            }
        }
        if (pending >= 0) AppendCodePoint(out, pending);
        pending = c;
    }
    if (pending >= 0) AppendCodePoint(out, pending);
}

// Whether a combining mark follows the first unit of `units` somewhere.
bool HasCombiningMark(std::u16string_view units) {
    static const std::bitset<0x10000> marks = [] {
        std::bitset<0x10000> set;
        for (UChar32 c = 0; c <= 0xFFFF; ++c) set[c] = (U_GET_GC_MASK(c) & U_GC_M_MASK) != 0;
        return set;
    }();
    for (size_t i = 1; i < units.size(); ++i) {
        if (marks[units[i]]) return true;
        if (U16_IS_LEAD(units[i]) && i + 1 < units.size() && U16_IS_TRAIL(units[i + 1])) {
            const UChar32 c = U16_GET_SUPPLEMENTARY(units[i], units[i + 1]);
            if ((U_GET_GC_MASK(c) & U_GC_M_MASK) != 0) return true;
            ++i;
        }
    }
    return false;
}

// Appends ASCII units as units of the other width.
template <typename To, typename From>
void AppendAscii(std::basic_string_view<From> run, std::basic_string<To>& out) {
    const size_t old = out.size();
    out.resize(old + run.size());
    std::copy(run.begin(), run.end(), out.begin() + static_cast<std::ptrdiff_t>(old));
}

std::string_view UpToZero(std::string_view s) { return s.substr(0, s.find('\0')); }

// Looks for the zero unit four units at a time.
std::u16string_view UpToZero(std::u16string_view s) {
    size_t i = 0;
    for (; i + 4 <= s.size(); i += 4) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        if (((word - 0x0001000100010001ULL) & ~word & 0x8000800080008000ULL) != 0) break;
    }
    while (i < s.size() && s[i] != 0) ++i;
    return s.substr(0, i);
}

// Bytes of one code page to bytes of the other, through UTF-16 stretch by stretch.
Text Recode(std::string_view text, CodePage from, CodePage to) {
    text = UpToZero(text);
    Text out;
    out.reserve(text.size());
    std::u16string units;
    // A GB18030 character may end with one or two ASCII bytes (81 30 81 30 is
    // U+0080); UTF-8 characters never hold an ASCII byte.
    const size_t keepAfter = from == CodePage::Ansi ? 2 : 0;
    ForEachStretch(
        text, 0, keepAfter, [&](std::string_view run) { out += run; },
        [&](std::string_view stretch) {
            units.clear();
            AppendDecoded(stretch, from, units);
            AppendEncoded(units, to, out);
        });
    return out;
}

bool IsHexDigit(char16_t u) {
    return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
}

int HexValue(char16_t u) {
    if (u <= u'9') return u - u'0';
    return (u | 0x20) - u'a' + 10;
}

// The value of the `count` hexadecimal digits at `s[i]`, or nothing when there
// are fewer digits.
std::optional<char16_t> ReadHex(std::u16string_view s, size_t i, size_t count) {
    if (i + count > s.size()) return std::nullopt;
    unsigned value = 0;
    for (size_t k = i; k < i + count; ++k) {
        if (!IsHexDigit(s[k])) return std::nullopt;
        value = value * 16 + HexValue(s[k]);
    }
    return static_cast<char16_t>(value);
}

bool IsOctalDigit(char16_t u) { return u >= u'0' && u <= u'7'; }

// The value of the single-quoted string literal whose body is `body`, as
// JScript (ECMAScript edition 3 with the octal escapes of its Annex B) reads
// it; nothing when "'" + body + "'" is no complete literal.
//
// The body cannot hold a line break (only CR and LF count as one, as in
// JScript), and a bare "'" would end the literal early: the script after it
// would not compile, or worse. A backslash at the very end escapes the closing
// quote, so the literal is complete only when the body ends in an even number
// of backslashes.
//
// Escapes: \b \t \n \f \r give their control characters; \xHH and \uHHHH give
// that unit; a backslash and up to three octal digits give that code, three
// only when the first is 0-3 (\101 is "A", \477 is "'7"), whatever digit comes
// next (\08 is U+0000 and "8", as JScript reads it; a strict edition 3 parser
// would reject it). A backslash before any other unit gives that unit: \v is
// "v" as in JScript, \8 is "8", and \x or \u without all their hexadecimal
// digits is "x" or "u" (\xZZ is "xZZ").
std::optional<std::u16string> EvaluateStringLiteral(std::u16string_view body) {
    std::u16string out;
    out.reserve(body.size());
    size_t i = 0;
    while (i < body.size()) {
        const char16_t c = body[i++];
        if (c == u'\r' || c == u'\n' || c == u'\'') return std::nullopt;
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (i == body.size()) return std::nullopt;
        const char16_t e = body[i++];
        switch (e) {
            case u'\r':
            case u'\n':
                return std::nullopt;
            case u'b':
                out += u'\b';
                break;
            case u't':
                out += u'\t';
                break;
            case u'n':
                out += u'\n';
                break;
            case u'f':
                out += u'\f';
                break;
            case u'r':
                out += u'\r';
                break;
            case u'x':
            case u'u': {
                const size_t digits = e == u'x' ? 2 : 4;
                if (const auto unit = ReadHex(body, i, digits)) {
                    out += *unit;
                    i += digits;
                } else {
                    out += e;
                }
                break;
            }
            default:
                if (IsOctalDigit(e)) {
                    unsigned value = e - u'0';
                    const size_t maxDigits = e <= u'3' ? 3 : 2;
                    for (size_t n = 1; n < maxDigits && i < body.size() && IsOctalDigit(body[i]);
                         ++n) {
                        value = value * 8 + (body[i++] - u'0');
                    }
                    out += static_cast<char16_t>(value);
                } else {
                    out += e;
                }
        }
    }
    return out;
}

// ECMAScript's unescape (edition 3, B.2.2): "%uHHHH" gives that unit, else
// "%HH" gives that code; any other "%" stays.
std::u16string Unescape(std::u16string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c == u'%') {
            if (i + 1 < s.size() && s[i + 1] == u'u') {
                if (const auto unit = ReadHex(s, i + 2, 4)) {
                    out += *unit;
                    i += 5;
                    continue;
                }
            }
            if (const auto code = ReadHex(s, i + 1, 2)) {
                out += *code;
                i += 2;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// "’" in GB18030: it stands for the apostrophes of a reply while the reply is
// read as a single-quoted literal.
constexpr std::string_view kQuoteSubstitute = "\xA1\xAF";
// Stands for the reply's CR LF pairs while it is read as a literal.
constexpr std::string_view kLineBreakMarker = "{$}";

}  // namespace

Text BytesToText(std::string_view bytes) { return Text(UpToZero(bytes)); }

Bytes TextToBytes(std::string_view text) { return Bytes(text); }

// A UTF-8 NUL byte is the only input that gives a zero byte in the result, and
// no ill-formed sequence reaches past an ASCII byte, so cutting the body at
// its first NUL gives the same result as cutting the converted text.
Text Utf8BytesToAnsi(std::string_view bytes) {
    return Recode(bytes, CodePage::Utf8, CodePage::Ansi);
}

Text Utf8ToAnsi(std::string_view utf8Text) {
    return Recode(utf8Text, CodePage::Utf8, CodePage::Ansi);
}

Text AnsiToUtf8(std::string_view text) { return Recode(text, CodePage::Ansi, CodePage::Utf8); }

std::u16string MultiByteToUtf16(std::string_view text, CodePage codePage) {
    text = UpToZero(text);
    std::u16string out;
    out.reserve(text.size());
    const size_t keepAfter = codePage == CodePage::Ansi ? 2 : 0;
    ForEachStretch(
        text, 0, keepAfter, [&](std::string_view run) { AppendAscii(run, out); },
        [&](std::string_view stretch) { AppendDecoded(stretch, codePage, out); });
    return out;
}

Text Utf16ToMultiByte(std::u16string_view units, CodePage codePage) {
    units = UpToZero(units);
    Text out;
    out.reserve(units.size());
    ForEachStretch(
        units, 0, 0, [&](std::u16string_view run) { AppendAscii(run, out); },
        [&](std::u16string_view stretch) { AppendEncoded(stretch, codePage, out); });
    return out;
}

std::u16string AnsiToUtf16(std::string_view text) { return MultiByteToUtf16(text, CodePage::Ansi); }

Text Utf16ToAnsi(std::u16string_view units) {
    units = UpToZero(units);
    Text out;
    out.reserve(units.size());
    std::u16string composed;
    // A combining mark may follow an ASCII letter, so each stretch starts with
    // the unit before it.
    ForEachStretch(
        units, 1, 0, [&](std::u16string_view run) { AppendAscii(run, out); },
        [&](std::u16string_view stretch) {
            if (!HasCombiningMark(stretch)) {
                AppendEncoded(stretch, CodePage::Ansi, out);
                return;
            }
            composed.clear();
            AppendComposed(stretch, composed);
            AppendEncoded(composed, CodePage::Ansi, out);
        });
    return out;
}

Text UrlEncode(std::string_view text, bool keepSafe, bool asUtf8) {
    const Text utf8 = asUtf8 ? AnsiToUtf8(text) : Text();
    const std::string_view bytes = asUtf8 ? std::string_view(utf8) : text;
    constexpr char kHexDigits[] = "0123456789ABCDEF";
    Text out;
    out.reserve(bytes.size() * 3);
    for (const char byte : bytes) {
        const auto x = static_cast<unsigned char>(byte);
        const bool safe = x == '-' || x == '.' || (x >= '0' && x <= '9') ||
                          (x >= 'A' && x <= 'Z') || (x >= 'a' && x <= 'z');
        if (keepSafe && safe) {
            out += byte;
        } else {
            out += '%';
            out += kHexDigits[x >> 4];
            out += kHexDigits[x & 0x0F];
        }
    }
    return out;
}

Text UnescapeReply(std::string_view text) {
    Text body = ReplaceText(text, "\r\n", kLineBreakMarker, true);
    if (!body.empty() && body.front() == '\r') body.erase(0, 1);
    body = ReplaceText(body, "\\u", "%u", true);
    body = ReplaceText(body, "'", kQuoteSubstitute, true);
    const std::optional<std::u16string> value = EvaluateStringLiteral(AnsiToUtf16(body));
    if (!value) return {};
    Text result = Utf16ToMultiByte(Unescape(*value), CodePage::Ansi);
    result = ReplaceText(result, kQuoteSubstitute, "'", true);
    return ReplaceText(result, kLineBreakMarker, "\r\n", true);
}

}  // namespace roomdesk
