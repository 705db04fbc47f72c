#include "settings/profile_text.h"

#include <cstddef>

namespace roomdesk {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view TrimBlanks(std::string_view text) {
    text = SkipBlanks(text);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ToLower(a) == ToLower(b);
}

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != kNone;
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

bool IsQuoted(std::string_view value) {
    return value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front();
}

// One line of the text, located by byte offsets into it.
struct ProfileLine {
    std::size_t end = 0;   // just past the last byte before the line break
    std::size_t next = 0;  // the first byte of the next line
    bool isSection = false;
    // The section or key name without blanks; empty on a line that is neither.
    std::string_view name;
    std::size_t valueStart = 0;  // key lines: the value's first byte, blanks skipped
};

ProfileLine ParseLine(std::string_view content, std::size_t start) {
    ProfileLine line;
    const std::size_t lf = content.find('\n', start);
    line.next = lf == kNone ? content.size() : lf + 1;
    line.end = lf == kNone ? content.size() : lf;
    if (line.end > start && content[line.end - 1] == '\r') --line.end;

    const std::string_view body = TrimBlanks(content.substr(start, line.end - start));
    if (body.empty()) return line;
    if (body.front() == '[') {
        const int close = FindText(body, "]", 2);
        if (close > 0) {
            line.isSection = true;
            line.name = TrimBlanks(body.substr(1, static_cast<std::size_t>(close) - 2));
            return line;
        }
    }
    // "=" is never a trail byte of GB18030, so a plain byte search is safe.
    const std::size_t equals = body.find('=');
    if (equals == kNone) return line;
    line.name = TrimBlanks(body.substr(0, equals));
    std::size_t value = static_cast<std::size_t>(body.data() - content.data()) + equals + 1;
    while (value < line.end && IsBlank(content[value])) ++value;
    line.valueStart = value;
    return line;
}

// Where `key` of `section` is, or where it would go.
struct KeyPlace {
    bool sectionFound = false;
    std::optional<ProfileLine> keyLine;
    std::size_t insertAt = 0;  // sections found: just past its header or its last key
};

KeyPlace LocateKey(std::string_view content, std::string_view section, std::string_view key) {
    KeyPlace place;
    for (std::size_t start = 0; start < content.size();) {
        const ProfileLine line = ParseLine(content, start);
        start = line.next;
        if (line.isSection) {
            if (place.sectionFound) break;
            if (SameName(line.name, section)) {
                place.sectionFound = true;
                place.insertAt = line.next;
            }
        } else if (place.sectionFound && !line.name.empty()) {
            place.insertAt = line.next;
            if (SameName(line.name, key)) {
                place.keyLine = line;
                break;
            }
        }
    }
    return place;
}

std::string_view LineBreakOf(std::string_view content) {
    const std::size_t lf = content.find('\n');
    return lf != kNone && lf > 0 && content[lf - 1] == '\r' ? "\r\n" : "\n";
}

Text EncodeValue(std::string_view value) {
    const bool needsQuotes =
        !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) || IsQuoted(value));
    return needsQuotes ? "\"" + Text(value) + "\"" : Text(value);
}

}  // namespace

std::string_view SkipBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::optional<Text> FindProfileValue(std::string_view content, std::string_view section,
                                     std::string_view key) {
    const KeyPlace place = LocateKey(content, TrimBlanks(section), TrimBlanks(key));
    if (!place.keyLine) return std::nullopt;
    std::string_view value = TrimBlanks(
        content.substr(place.keyLine->valueStart, place.keyLine->end - place.keyLine->valueStart));
    if (IsQuoted(value)) value = value.substr(1, value.size() - 2);
    return Text(value);
}

std::optional<Text> SetProfileValue(std::string_view content, std::string_view section,
                                    std::string_view key, std::string_view value) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    if (section.empty() || key.empty() || HasLineBreakOrNul(section) || HasLineBreakOrNul(key) ||
        HasLineBreakOrNul(value) || FindText(section, "]") > 0 || key.find('=') != kNone ||
        key.front() == '[') {
        return std::nullopt;
    }
    const Text encoded = EncodeValue(value);
    const KeyPlace place = LocateKey(content, section, key);
    if (place.keyLine) {
        const ProfileLine& line = *place.keyLine;
        return Text(content.substr(0, line.valueStart)) + encoded + Text(content.substr(line.end));
    }

    const std::string_view lineBreak = LineBreakOf(content);
    const std::size_t at = place.sectionFound ? place.insertAt : content.size();
    Text out(content.substr(0, at));
    if (!out.empty() && out.back() != '\n') out += lineBreak;
    if (!place.sectionFound) {
        out += "[";
        out += section;
        out += "]";
        out += lineBreak;
    }
    out += key;
    out += "=";
    out += encoded;
    out += lineBreak;
    out += content.substr(at);
    return out;
}

}  // namespace roomdesk
