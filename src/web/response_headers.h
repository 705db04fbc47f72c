// The response side of the web request that is plain text work: the header
// text handed back and the cookies read from it.
#pragma once

#include <string_view>

#include "text/text_ops.h"

namespace roomdesk {

// `rawHeaders` with "Set-Cookie" in any letter case spelled "Set-Cookie".
Text SpellSetCookie(std::string_view rawHeaders);

// The cookies that a header text (spelled by SpellSetCookie) sets: the
// name=value part of each line that holds "Set-Cookie", in the order of the
// lines, joined by "; "; empty when there is none.
Text CookiesSetBy(std::string_view rawHeaders);

}  // namespace roomdesk
