// Merging cookie texts for a caller that keeps its own cookies. A cookie text is
// a list of "name=value" items separated by ";".
#pragma once

#include <string_view>

#include "text/text_ops.h"

namespace roomdesk {

// Merges the cookies a response set (`received`) into the cookie text a request
// sent (`sent`). Both are rewritten in place: `received` loses every blank, and
// `sent` becomes the merged text, which is also the result. The merged text holds
// the received cookies in their order, then the old cookies the response did not
// set; an item whose value is "deleted" is dropped, and keeps its old namesake
// out. Duplicate items are kept once. The merged text holds no blanks at all.
Text MergeCookies(Text& sent, Text& received);

// The text before the first "=" of a cookie item, trimmed; the whole item,
// trimmed, when it holds no "=".
Text CookieName(std::string_view item);

// The items of `text` split at `separator`, each kept at its first occurrence
// only (byte-for-byte equality), joined again with `separator`.
Text UniqueJoin(std::string_view text, std::string_view separator);

}  // namespace roomdesk
