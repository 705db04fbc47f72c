#pragma once

#include <string>
#include <utility>
#include <vector>

// The text codings the site speaks: form and query decoding, cookies, HTML and JSON escapes.
namespace roomdesk::site {

using NameValues = std::vector<std::pair<std::string, std::string>>;

// Percent-decodes a form or query value: "%XX" becomes its byte, "+" a blank; a "%" not
// followed by two hexadecimal digits stays as it is.
std::string DecodeFormValue(const std::string& text);

// Splits "a=1&b=2" into decoded pairs, in order; a field without "=" has an empty value.
NameValues ParseForm(const std::string& text);

// The value of the first pair named `name`; empty when there is none.
std::string ValueOf(const NameValues& pairs, const std::string& name);

// Splits a Cookie header value "a=1; b=2" into pairs, values as sent.
NameValues ParseCookieHeader(const std::string& text);

// Escapes & < > " for HTML text and attribute values.
std::string EscapeHtml(const std::string& text);

// A JSON string literal (with its quotes) of UTF-8 text, every non-ASCII character written as
// \uXXXX (surrogate pairs beyond the basic plane).
std::string JsonEscapedString(const std::string& utf8);

}  // namespace roomdesk::site
