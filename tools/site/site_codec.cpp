#include "site/site_codec.h"

#include <cstdint>
#include <cstdio>

namespace roomdesk::site {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Appends the JSON escape of a UTF-16 code unit: a backslash, "u" and four hexadecimal digits.
void AppendUnit(std::string& out, std::uint16_t unit) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04x", unit);
    out += buffer;
}

}  // namespace

std::string DecodeFormValue(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
                   HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

NameValues ParseForm(const std::string& text) {
    NameValues pairs;
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = text.find('&', start);
        if (end == std::string::npos) end = text.size();
        const std::string field = text.substr(start, end - start);
        if (!field.empty()) {
            const auto eq = field.find('=');
            if (eq == std::string::npos) {
                pairs.emplace_back(DecodeFormValue(field), "");
            } else {
                pairs.emplace_back(DecodeFormValue(field.substr(0, eq)),
                                   DecodeFormValue(field.substr(eq + 1)));
            }
        }
        start = end + 1;
    }
    return pairs;
}

std::string ValueOf(const NameValues& pairs, const std::string& name) {
    for (const auto& [key, value] : pairs) {
        if (key == name) return value;
    }
    return {};
}

NameValues ParseCookieHeader(const std::string& text) {
    NameValues pairs;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        const std::string item = Trim(text.substr(start, end - start));
        const auto eq = item.find('=');
        if (eq != std::string::npos) pairs.emplace_back(item.substr(0, eq), item.substr(eq + 1));
        start = end + 1;
    }
    return pairs;
}

std::string EscapeHtml(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string JsonEscapedString(const std::string& utf8) {
    std::string out = "\"";
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            if (lead == '"' || lead == '\\') {
                out += '\\';
                out += static_cast<char>(lead);
            } else if (lead < 0x20) {
                AppendUnit(out, lead);
            } else {
                out += static_cast<char>(lead);
            }
            ++i;
            continue;
        }
        int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        std::uint32_t code = length == 4 ? lead & 0x07 : length == 3 ? lead & 0x0F : lead & 0x1F;
        if (length == 1 || i + length > utf8.size()) {
            AppendUnit(out, 0xFFFD);  // a stray byte: the replacement character
            ++i;
            continue;
        }
        for (int k = 1; k < length; ++k) {
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            AppendUnit(out, 0xD800 + (code >> 10));
            AppendUnit(out, 0xDC00 + (code & 0x3FF));
        } else {
            AppendUnit(out, code);
        }
        i += length;
    }
    return out + "\"";
}

}  // namespace roomdesk::site
