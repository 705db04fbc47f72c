// What the application shell is started with: where the settings file is and where the site is.
#pragma once

#include <filesystem>
#include <string_view>

#include "text/text_ops.h"

namespace roomdesk {

// The site's address when the settings file names none: the stand-in site run by hand on its
// usual port.
inline constexpr std::string_view kDefaultSiteAddress = "http://127.0.0.1:8650";

struct ShellConfig {
    std::filesystem::path settingsPath;
    Text baseAddress;  // without a trailing "/"
};

// The settings file of this process (SettingsPath()) and the site address it names, or
// kDefaultSiteAddress.
ShellConfig DefaultShellConfig();

}  // namespace roomdesk
