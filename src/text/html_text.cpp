#include "text/html_text.h"

#include <array>
#include <charconv>
#include <optional>
#include <utility>

#include "text/encoding.h"

namespace roomdesk {
namespace {

// The longest reference we decode, "&#x10FFFF;", is 10 bytes; a ";" further away ends no
// reference.
constexpr std::size_t kLongestReference = 10;

constexpr std::array<std::pair<std::string_view, char>, 6> kNamedReferences{{
    {"amp", '&'},
    {"lt", '<'},
    {"gt", '>'},
    {"quot", '"'},
    {"apos", '\''},
    {"nbsp", ' '},
}};

// The text that the reference body (the part between "&" and ";") stands for, if any.
std::optional<Text> ReferencedText(std::string_view body) {
    for (const auto& [name, character] : kNamedReferences) {
        if (body == name) return Text(1, character);
    }
    if (body.size() < 2 || body[0] != '#') return std::nullopt;
    const bool hex = body[1] == 'x' || body[1] == 'X';
    const std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty()) return std::nullopt;
    std::uint32_t code = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
    std::u16string units;
    if (code < 0x10000) {
        units.push_back(static_cast<char16_t>(code));
    } else {
        code -= 0x10000;
        units.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
        units.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    }
    return Utf16ToMultiByte(units, CodePage::Ansi);
}

}  // namespace

Text DecodeHtmlText(std::string_view html) {
    Text out;
    out.reserve(html.size());
    int copied = 0;  // bytes of html already handled
    const int length = TextLength(html);
    while (copied < length) {
        const int amp = FindText(html, "&", copied + 1);
        if (amp == -1) break;
        const std::size_t bodyStart = static_cast<std::size_t>(amp);  // just after the "&"
        const std::size_t semicolon = html.find(';', bodyStart);
        std::optional<Text> decoded;
        if (semicolon != std::string_view::npos && semicolon - bodyStart < kLongestReference) {
            decoded = ReferencedText(html.substr(bodyStart, semicolon - bodyStart));
        }
        if (decoded) {
            out.append(html.substr(copied, bodyStart - 1 - copied));
            out += *decoded;
            copied = static_cast<int>(semicolon) + 1;
        } else {
            out.append(html.substr(copied, bodyStart - copied));
            copied = static_cast<int>(bodyStart);
        }
    }
    out.append(html.substr(copied));
    return out;
}

}  // namespace roomdesk
