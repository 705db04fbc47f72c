// Conversions between the forms a text takes in this program: Text in the
// system code page (GB18030, which keeps the bytes of every code page 936
// character and also holds every other Unicode character), UTF-8 as the site
// sends and expects it, and UTF-16 for the regular-expression engine; the
// percent-encoding of form values; and the decoding of the site's escaped
// login reply.
//
// The UTF-16 form is a std::u16string of code units without an explicit zero
// terminator: the string's own terminator stands for it, so the form of the
// empty text is the empty string. Every conversion reads its input up to the
// first NUL byte or zero unit (a Text holds none), so its result never holds
// one either.
//
// The conversions never fail:
// - Malformed input (UTF-8 that is not well formed, bytes that are no GB18030
//   character, a sequence cut short at the end) becomes U+FFFD, one for each
//   maximal ill-formed subpart, and in a Text the GB18030 form of U+FFFD
//   (84 31 A4 37). A GB18030 lead byte that the next byte cannot follow
//   stands alone, and the bytes after it are read afresh.
// - A unit that the target cannot represent, which in GB18030 and UTF-8 is only
//   an unpaired surrogate, becomes "?".
// Inputs are shorter than 512 MiB (a response body is capped at 64 MiB).
// All functions are pure and may be called from any thread at the same time.
#pragma once

#include <string>
#include <string_view>

#include "text/text_ops.h"

namespace roomdesk {

// The bytes up to the first NUL byte, or all of them when there is none.
Text BytesToText(std::string_view bytes);
// The text's bytes, without a terminator.
Bytes TextToBytes(std::string_view text);

// A body of UTF-8 bytes (NUL bytes included) as a Text; the result ends where
// the first NUL byte of the body was.
Text Utf8BytesToAnsi(std::string_view bytes);
// A text holding UTF-8 as a Text in the system code page.
Text Utf8ToAnsi(std::string_view utf8Text);
// A Text as UTF-8 bytes.
Text AnsiToUtf8(std::string_view text);

// Ansi is the system code page, GB18030.
enum class CodePage { Ansi, Utf8 };

std::u16string MultiByteToUtf16(std::string_view text, CodePage codePage = CodePage::Utf8);
Text Utf16ToMultiByte(std::u16string_view units, CodePage codePage = CodePage::Ansi);
std::u16string AnsiToUtf16(std::string_view text);
// Like Utf16ToMultiByte to the system code page, but a character followed by
// combining marks is first written as the precomposed character where Unicode
// has one (e + U+0301 gives é). Only adjacent pairs are composed: marks are not
// reordered and no other character is changed, so a text without combining
// marks keeps its exact bytes.
Text Utf16ToAnsi(std::u16string_view units);

// Percent-encoding of a form value: each byte of the text (of its UTF-8 form
// when asUtf8) becomes "%" and two upper-case hexadecimal digits; with keepSafe
// the bytes - . 0-9 A-Z a-z stay as they are.
Text UrlEncode(std::string_view text, bool keepSafe = false, bool asUtf8 = false);

// Decodes the escapes of the site's login reply, which carries non-ASCII
// characters as \uHHHH, without running anything of the reply as script:
// 1. every CR LF is set aside as "{$}", a CR at the very start is dropped,
//    every "\u" becomes "%u" and every apostrophe is set aside as "’";
// 2. the text, in UTF-16, is read as the body of a single-quoted string literal
//    as JScript reads it (ECMAScript edition 3 with the octal escapes of its
//    Annex B; \v is "v", a backslash before any other character gives that
//    character, \xZZ gives "xZZ"), and the value is unescaped as by the
//    ECMAScript unescape ("%uHHHH", then "%HH"; any other "%" stays);
// 3. the value is converted to the system code page up to a U+0000 (an
//    unpaired surrogate becomes "?"), then "’" becomes an apostrophe and "{$}"
//    CR LF.
// The result is the empty text when the text of step 1 is no complete literal:
// it holds a CR or LF, or ends in an odd number of backslashes (the last one
// escapes the closing quote; "a\\" with two is complete), or holds a bare
// apostrophe (possible only after a byte that is no GB18030 character, such as
// 0x80, which the text walk takes as the lead of the byte after it).
Text UnescapeReply(std::string_view text);

}  // namespace roomdesk
