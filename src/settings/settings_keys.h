// The section and key names of the settings file, in GB18030 bytes (the
// system code page), as the file stores them.
#pragma once

#include <string_view>

namespace roomdesk {

inline constexpr std::string_view kSettingsSection = "\xC9\xE8\xD6\xC3";  // 设置
inline constexpr std::string_view kAccountKey = "\xD5\xCA\xBA\xC5";       // 帐号
inline constexpr std::string_view kPasswordKey = "\xC3\xDC\xC2\xEB";      // 密码
// The refresh interval in minutes, or -1; written at close, never read.
inline constexpr std::string_view kIntervalKey = "\xB6\xA8\xCA\xB1";  // 定时
// The period refreshed by the timer (1 to 4), or -1; written at close, never read.
inline constexpr std::string_view kPeriodKey = "\xC5\xC5\xC3\xFB";  // 排名
// The site's base address, e.g. "http://127.0.0.1:8080".
inline constexpr std::string_view kSiteKey = "\xD5\xBE\xB5\xE3";  // 站点

}  // namespace roomdesk
