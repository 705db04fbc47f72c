#include "text/regex_object.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <limits>
#include <utility>
#include <vector>

#include "text/encoding.h"

namespace roomdesk {

namespace {

constexpr std::uint32_t kUnset = std::numeric_limits<std::uint32_t>::max();

// ECMAScript behaviour for the escapes \u and \x, for "[]" and "[^]", for back
// references to unset groups and for "$"; code-unit semantics (see the header).
constexpr std::uint32_t kBaseOptions = PCRE2_ALT_BSUX | PCRE2_ALLOW_EMPTY_CLASS |
                                       PCRE2_MATCH_UNSET_BACKREF | PCRE2_DOLLAR_ENDONLY |
                                       PCRE2_NEVER_UTF | PCRE2_NEVER_UCP;

constexpr PCRE2_SIZE kJitStackStart = 32 * 1024;
constexpr PCRE2_SIZE kJitStackMax = 1024 * 1024;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

struct RegexObject::Compiled {
    Text pattern;
    pcre2_code* code = nullptr;  // null when the pattern did not compile
    std::uint32_t groups = 0;

    Compiled() = default;
    ~Compiled() { pcre2_code_free(code); }
    Compiled(const Compiled&) = delete;
    Compiled& operator=(const Compiled&) = delete;
};

// Every match as groups + 1 unit ranges (whole match first), kUnset for a group
// that took no part.
struct RegexObject::Matches {
    std::uint32_t groups = 0;
    std::vector<std::uint32_t> offsets;

    std::size_t Stride() const { return (std::size_t{groups} + 1) * 2; }
    int Count() const { return static_cast<int>(offsets.size() / Stride()); }
    const std::uint32_t* Match(int index) const {
        return offsets.data() + static_cast<std::size_t>(index - 1) * Stride();
    }
};

struct RegexObject::MatchState {
    pcre2_match_context* context = nullptr;
    pcre2_jit_stack* jitStack = nullptr;
    pcre2_match_data* data = nullptr;
    std::uint32_t pairs = 0;

    MatchState() {
        context = pcre2_match_context_create(nullptr);
        jitStack = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr);
        if (context != nullptr && jitStack != nullptr) {
            pcre2_jit_stack_assign(context, nullptr, jitStack);
        }
    }
    ~MatchState() {
        pcre2_match_data_free(data);
        pcre2_jit_stack_free(jitStack);
        pcre2_match_context_free(context);
    }
    MatchState(const MatchState&) = delete;
    MatchState& operator=(const MatchState&) = delete;

    // Match data with room for `needed` pairs; kept across runs and grown only
    // when a pattern has more groups than any before it.
    bool Reserve(std::uint32_t needed) {
        if (data != nullptr && pairs >= needed) return true;
        pcre2_match_data_free(data);
        data = pcre2_match_data_create(needed, nullptr);
        pairs = data != nullptr ? needed : 0;
        return data != nullptr;
    }
};

RegexObject::RegexObject() = default;
RegexObject::~RegexObject() = default;
RegexObject::RegexObject(RegexObject&&) noexcept = default;
RegexObject& RegexObject::operator=(RegexObject&&) noexcept = default;

RegexObject RegexObject::Clone() const {
    RegexObject copy;
    copy.compiled_ = compiled_;
    copy.matches_ = matches_;
    copy.subject_ = subject_;
    return copy;
}

bool RegexObject::Create(std::string_view pattern, std::string_view subject, bool caseSensitive,
                         bool multiline, bool global, bool quoteToken) {
    compiled_.reset();
    matches_.reset();
    offsetUnit_ = 0;
    offsetByte_ = 0;

    auto compiled = std::make_shared<Compiled>();
    compiled->pattern = quoteToken ? ReplaceText(pattern, kQuoteToken, "\"", true) : Text(pattern);
    subject_ = AnsiToUtf16(subject);

    std::uint32_t options = kBaseOptions;
    if (!caseSensitive) options |= PCRE2_CASELESS;
    if (multiline) options |= PCRE2_MULTILINE;
    const std::u16string units = AnsiToUtf16(compiled->pattern);
    pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
    if (context != nullptr) pcre2_set_newline(context, PCRE2_NEWLINE_LF);
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    compiled->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(units.data()), units.size(),
                                   options, &error, &errorOffset, context);
    pcre2_compile_context_free(context);
    if (compiled->code != nullptr) {
        // Without JIT support pcre2_match falls back to the interpreter.
        pcre2_jit_compile(compiled->code, PCRE2_JIT_COMPLETE);
        pcre2_pattern_info(compiled->code, PCRE2_INFO_CAPTURECOUNT, &compiled->groups);
    }
    compiled_ = std::move(compiled);
    if (compiled_->code == nullptr || subject_.size() >= kUnset) return false;
    return Run(global);
}

bool RegexObject::Run(bool global) {
    if (!state_) state_ = std::make_unique<MatchState>();
    const std::uint32_t groups = compiled_->groups;
    if (state_->context == nullptr || !state_->Reserve(groups + 1)) return false;

    auto matches = std::make_shared<Matches>();
    matches->groups = groups;
    const auto* units = reinterpret_cast<PCRE2_SPTR>(subject_.data());
    const PCRE2_SIZE length = subject_.size();
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(state_->data);
    PCRE2_SIZE start = 0;
    while (start <= length) {
        const int rc =
            pcre2_match(compiled_->code, units, length, start, 0, state_->data, state_->context);
        if (rc == PCRE2_ERROR_NOMATCH) break;
        if (rc <= 0) return false;  // a match or resource limit was hit
        for (std::uint32_t g = 0; g <= groups; ++g) {
            const bool set = g < static_cast<std::uint32_t>(rc) && ovector[2 * g] != PCRE2_UNSET;
            matches->offsets.push_back(set ? static_cast<std::uint32_t>(ovector[2 * g]) : kUnset);
            matches->offsets.push_back(set ? static_cast<std::uint32_t>(ovector[2 * g + 1])
                                           : kUnset);
        }
        if (!global) break;
        // After an empty match the next search starts one unit further on.
        start = ovector[1] == ovector[0] ? ovector[1] + 1 : ovector[1];
    }
    matches_ = std::move(matches);
    return true;
}

Text RegexObject::GetPattern() const { return compiled_ ? compiled_->pattern : Text(); }

int RegexObject::MatchCount() const { return matches_ ? matches_->Count() : 0; }

int RegexObject::SubMatchCount() const {
    return MatchCount() > 0 ? static_cast<int>(matches_->groups) : 0;
}

int RegexObject::ByteOffset(std::uint32_t unit) const {
    if (unit > 0 && unit < subject_.size() && IsLowSurrogate(subject_[unit]) &&
        IsHighSurrogate(subject_[unit - 1])) {
        --unit;
    }
    if (unit < offsetUnit_) {
        offsetUnit_ = 0;
        offsetByte_ = 0;
    }
    // GB18030 is stateless, so the lengths of consecutive pieces add up. The
    // plain conversion (no composition of combining marks) gives back the
    // subject's own bytes.
    const std::u16string_view piece =
        std::u16string_view(subject_).substr(offsetUnit_, unit - offsetUnit_);
    offsetByte_ += static_cast<int>(Utf16ToMultiByte(piece, CodePage::Ansi).size());
    offsetUnit_ = unit;
    return offsetByte_;
}

Text RegexObject::GroupText(int matchIndex, int group, int* firstIndex) const {
    const std::uint32_t* match = nullptr;
    if (matchIndex >= 1 && matchIndex <= MatchCount() && group >= 0 &&
        static_cast<std::uint32_t>(group) <= matches_->groups) {
        match = matches_->Match(matchIndex) + 2 * group;
    }
    const bool found = match != nullptr && match[0] != kUnset;
    if (firstIndex != nullptr) *firstIndex = found ? ByteOffset(match[0]) : -1;
    if (!found) return Text();
    return Utf16ToAnsi(std::u16string_view(subject_).substr(match[0], match[1] - match[0]));
}

Text RegexObject::MatchText(int matchIndex, int* firstIndex) const {
    return GroupText(matchIndex, 0, firstIndex);
}

Text RegexObject::SubMatchText(int matchIndex, int groupIndex, int* firstIndex) const {
    // Group 0, the whole match, is MatchText's.
    return GroupText(matchIndex, groupIndex < 1 ? -1 : groupIndex, firstIndex);
}

Text RegexObject::ReplaceMatches(std::string_view replacement) const {
    if (!matches_) return Text();
    const std::u16string_view subject(subject_);
    const std::u16string pattern = AnsiToUtf16(replacement);
    const std::uint32_t groups = matches_->groups;
    std::u16string out;
    out.reserve(subject.size());
    std::size_t copied = 0;
    for (int m = 1; m <= matches_->Count(); ++m) {
        const std::uint32_t* match = matches_->Match(m);
        out.append(subject.substr(copied, match[0] - copied));
        copied = match[1];
        auto appendGroup = [&](std::uint32_t g) {
            if (match[2 * g] != kUnset) {
                out.append(subject.substr(match[2 * g], match[2 * g + 1] - match[2 * g]));
            }
        };
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            const char16_t c = pattern[i];
            const char16_t next = i + 1 < pattern.size() ? pattern[i + 1] : u'\0';
            if (c != u'$') {
                out.push_back(c);
            } else if (next == u'$') {
                out.push_back(u'$');
                ++i;
            } else if (next == u'&') {
                appendGroup(0);
                ++i;
            } else if (next == u'`') {
                out.append(subject.substr(0, match[0]));
                ++i;
            } else if (next == u'\'') {
                out.append(subject.substr(match[1]));
                ++i;
            } else if (IsDigit(next)) {
                // Two digits when they name a group, else one digit when it does.
                std::uint32_t index = next - u'0';
                std::size_t used = 1;
                if (i + 2 < pattern.size() && IsDigit(pattern[i + 2])) {
                    const std::uint32_t two = index * 10 + (pattern[i + 2] - u'0');
                    if (two >= 1 && two <= groups) {
                        index = two;
                        used = 2;
                    }
                }
                if (index >= 1 && index <= groups) {
                    appendGroup(index);
                    i += used;
                } else {
                    out.push_back(u'$');
                }
            } else {
                out.push_back(u'$');
            }
        }
    }
    out.append(subject.substr(copied));
    return Utf16ToAnsi(out);
}

}  // namespace roomdesk
