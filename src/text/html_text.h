// The text of an HTML cell as a person reads it.
#pragma once

#include <string_view>

#include "text/text_ops.h"

namespace roomdesk {

// Replaces the character references of HTML text by the characters they stand for: the named
// references &amp; &lt; &gt; &quot; &apos; &nbsp; and the numeric ones (&#38; &#x26;). A
// reference that is unknown, unterminated or names no valid character stays as it is, so text
// that holds a bare "&" passes through unchanged.
Text DecodeHtmlText(std::string_view html);

}  // namespace roomdesk
