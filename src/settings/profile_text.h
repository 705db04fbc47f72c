// Reading and editing the text of an INI file in the profile format:
// - lines end in LF, optionally preceded by CR;
// - "[name]" opens a section (the first "]" closes the name; the rest of the
//   line is ignored), "name=value" is a key of the section above it (split at
//   the first "="); every other line is kept as it is and never read;
// - blanks (bytes of value 32 or less) around a line, a name or a value are not
//   part of it; a value enclosed in a matching pair of '"' or '\'' is read
//   without them;
// - names compare ignoring ASCII case; the first section of a name counts, and
//   in it the first key of a name.
// Texts are GB18030: "]" and ASCII letters are looked for only where a
// character starts, never on a trail byte.
#pragma once

#include <optional>
#include <string_view>

#include "text/text_ops.h"

namespace roomdesk {

// `text` without its leading blanks (bytes of value 32 or less).
std::string_view SkipBlanks(std::string_view text);

// The value of `key` in `section` of `content`; nullopt when the section or the
// key is missing.
std::optional<Text> FindProfileValue(std::string_view content, std::string_view section,
                                     std::string_view key);

// `content` with `key` of `section` set to `value`. An existing key keeps its
// line up to the value; a new key goes on a new line after the last key of the
// section, a new section at the end of the text. Every other byte is kept; new
// lines end like the first line of `content` (LF when it has none). A value that
// would not read back as written (blanks at an end, or enclosed in a matching
// pair of quotes) is stored between double quotes. nullopt when a name is empty
// or a name or the value cannot be stored: a line break or NUL anywhere, a "]"
// in the section, a "=" in the key or a key that starts with "[".
std::optional<Text> SetProfileValue(std::string_view content, std::string_view section,
                                    std::string_view key, std::string_view value);

}  // namespace roomdesk
