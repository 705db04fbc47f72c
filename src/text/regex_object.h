// RegexObject: one pattern run over one subject, keeping every match for
// 1-based reads of the match texts and their capture groups.
//
// The engine is PCRE2's 16-bit library (JIT-compiled where the platform allows)
// over the UTF-16 form of the subject, with ECMAScript (edition 3) behaviour where
// the two differ in ways that one flag settles:
//
// - Code-unit semantics. The pattern is compiled WITHOUT UTF mode (and with UTF
//   and UCP forbidden inside the pattern), exactly like an ECMAScript engine of
//   that edition: a dot, a class or an escape matches one UTF-16 code unit, so a
//   character outside the BMP is two units (`.{2}` matches an emoji), and
//   positions count units. This also means the subject needs no UTF validation
//   (a lone surrogate is an ordinary unit), and after an empty match the global
//   run moves one unit on without caring for surrogate pairs.
// - Case folding is ASCII-only: PCRE2's default tables fold A-Z/a-z and treat
//   every other unit as having no case. UTF mode would fold non-ASCII letters
//   (closer to ECMAScript for é/É or Ω/ω) but would also make ASCII 's' match
//   U+017F and 'k' match U+212A, which ECMAScript forbids, and would cost a UTF
//   check of the subject. The patterns this program uses have ASCII letters only.
// - A dot matches every unit but a line feed (CR included), as the Windows
//   regular-expression object does, where an ECMAScript dot also stops at CR,
//   U+2028 and U+2029; "^" and "$" in multiline mode see LF only.
// - \uHHHH and \xHH escapes, "[]" (matches nothing) and "[^]" (matches anything),
//   a back reference to a group that took no part (matches the empty text), and
//   "$" without multiline matching only at the very end: all as in ECMAScript.
// - A global run after an empty match at position p searches again from p + 1
//   (ECMAScript's lastIndex rule; Perl would first try a non-empty match at p).
//
// Known differences that remain: non-ASCII letters do not fold; \s and \S are
// ASCII white space only (ECMAScript adds U+00A0, U+3000 and the other Unicode
// spaces); a group inside a repeated group keeps its value from an earlier
// iteration (ECMAScript resets it); \v, \h, \R, \K, \Q...\E and the other PCRE2
// escapes and constructs keep their PCRE2 meaning.
//
// Results are converted back with Utf16ToAnsi, so a group holding one unit of a
// surrogate pair reads "?".
//
// Failures give empty results: an invalid pattern makes Create return false and
// leaves no matches; so does a run that hits PCRE2's limits (its default match
// limit, or this object's JIT stack of at most 1 MiB, which lets a repeated group
// run over tens of thousands of units where the default 32 KiB would not).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "text/text_ops.h"

namespace roomdesk {

class RegexObject {
public:
    RegexObject();
    ~RegexObject();
    RegexObject(RegexObject&&) noexcept;
    RegexObject& operator=(RegexObject&&) noexcept;
    RegexObject(const RegexObject&) = delete;
    RegexObject& operator=(const RegexObject&) = delete;

    // A new object that shares this one's compiled pattern and matches and holds
    // a copy of its subject; a later Create on either leaves the other as it is.
    RegexObject Clone() const;

    // Compiles `pattern` (with every "#引号" replaced by a double quote when
    // `quoteToken`) and runs it over `subject`, keeping every match (only the
    // first when not `global`). Caseless unless `caseSensitive`; `multiline`
    // makes ^ and $ match at line feeds. Returns false when the pattern does not
    // compile or the run fails, true otherwise (also when nothing matched).
    bool Create(std::string_view pattern, std::string_view subject, bool caseSensitive = false,
                bool multiline = true, bool global = true, bool quoteToken = false);

    // The pattern of the last Create (quote tokens replaced), even when it did
    // not compile; the empty text before the first Create.
    Text GetPattern() const;

    // The subject with every kept match replaced by `replacement`, in which $1 to
    // $99 stand for a group ($12 falls back to $1 then "2" when there are fewer
    // than 12 groups; a group that took no part gives the empty text), $& for the
    // match, $` and $' for the text before and after it, and $$ for "$"; any other
    // "$" stays as it is. The empty text when the last Create failed or there was
    // none.
    Text ReplaceMatches(std::string_view replacement) const;

    int MatchCount() const;
    // The number of capture groups of the pattern when there is a match, else 0.
    int SubMatchCount() const;

    // The text of match `matchIndex` (from 1); the empty text out of range. When
    // `firstIndex` is given it receives the 0-based byte offset in the subject
    // Text at which the match starts (a start between the two units of a
    // surrogate pair counts as the start of that character), or -1 out of range.
    Text MatchText(int matchIndex, int* firstIndex = nullptr) const;

    // The text of group `groupIndex` (from 1) of match `matchIndex` (from 1); the
    // empty text out of range or when the group took no part in the match.
    // `firstIndex` receives the byte offset at which the group starts, as for
    // MatchText, or -1 in those cases.
    Text SubMatchText(int matchIndex, int groupIndex, int* firstIndex = nullptr) const;

private:
    struct Compiled;
    struct Matches;
    struct MatchState;

    // The text of group `group` (0 for the whole match) of match `matchIndex`
    // (from 1), setting *firstIndex when given; see MatchText.
    Text GroupText(int matchIndex, int group, int* firstIndex) const;
    int ByteOffset(std::uint32_t unit) const;
    bool Run(bool global);

    std::shared_ptr<const Compiled> compiled_;
    std::shared_ptr<const Matches> matches_;
    std::u16string subject_;
    // Match data, match context and JIT stack of this object, made on first use.
    std::unique_ptr<MatchState> state_;
    // The last unit position turned into a byte offset, so that ascending
    // first-index reads walk the subject once.
    mutable std::uint32_t offsetUnit_ = 0;
    mutable int offsetByte_ = 0;
};

}  // namespace roomdesk
