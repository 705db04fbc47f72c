#include "shell/shell_config.h"

#include "settings/settings_file.h"
#include "settings/settings_path.h"

namespace roomdesk {

ShellConfig DefaultShellConfig() {
    std::filesystem::path path = SettingsPath();
    Text address = SiteBaseAddress(path, kDefaultSiteAddress);
    return {std::move(path), std::move(address)};
}

}  // namespace roomdesk
