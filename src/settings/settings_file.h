// The settings file: an INI file in the system code page (see
// settings/profile_text.h for its format) that keeps the account, the password,
// the timer choices and the site's base address between runs. Section, key and
// value are the bytes of their Text; the names are in settings/settings_keys.h.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

#include "text/text_ops.h"

namespace roomdesk {

// The longest text ReadSetting gives, in bytes.
inline constexpr std::size_t kMaxSettingLength = 10239;

// The value of `key` in `section` of the file at `path`, cut to
// kMaxSettingLength bytes. Leading blanks (bytes of value 32 or less) of the
// path, the section and the key are skipped; if one of them is then empty the
// result is the empty text, whatever the default. A file that is missing or
// cannot be read, a missing section and a missing key give `defaultText` (also
// cut); a key present with an empty value gives the empty text.
Text ReadSetting(const std::filesystem::path& path, std::string_view section, std::string_view key,
                 std::string_view defaultText = {});

// Sets `key` of `section` in the file at `path` to `value`, creating the file
// (and its folder), the section and the key as needed and keeping every other
// line of the file. The file is replaced atomically and is owner-only (0600).
// Leading blanks of the path, section and key are skipped as in ReadSetting.
// Gives false, leaving the file as it was, when the write failed, the existing
// file could not be read, or a name or the value cannot be stored (a line
// break, a "]" in the section, a "=" in the key). Callers may ignore the result:
// a failed write loses only this value.
bool WriteSetting(const std::filesystem::path& path, std::string_view section, std::string_view key,
                  std::string_view value);

// The site's base address: key "站点" of section "设置", without trailing "/";
// `defaultAddress` when the key is missing or holds nothing but slashes.
Text SiteBaseAddress(const std::filesystem::path& path, std::string_view defaultAddress);

}  // namespace roomdesk
