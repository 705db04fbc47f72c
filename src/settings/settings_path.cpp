#include "settings/settings_path.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "settings/atomic_file.h"

namespace roomdesk {

namespace {

std::filesystem::path EnvironmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::filesystem::path(value) : std::filesystem::path();
}

std::filesystem::path ConfigFolder() {
    const std::filesystem::path xdg = EnvironmentPath("XDG_CONFIG_HOME");
    if (xdg.is_absolute()) return xdg / "roomdesk";
    const std::filesystem::path home = EnvironmentPath("HOME");
    if (home.is_absolute()) return home / ".config" / "roomdesk";
    return {};
}

}  // namespace

SettingsPlaces SystemSettingsPlaces() {
    SettingsPlaces places;
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) places.executableFolder = executable.parent_path();
    places.configFolder = ConfigFolder();
    return places;
}

bool FolderIsWritable(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder, error) &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::filesystem::path SettingsPath(const SettingsPlaces& places, const FolderTest& isWritable) {
    std::filesystem::path besideExecutable = places.executableFolder / kSettingsFileName;
    if (places.configFolder.empty() || isWritable(places.executableFolder)) {
        return besideExecutable;
    }
    std::filesystem::path inConfig = places.configFolder / kSettingsFileName;
    std::error_code error;
    if (std::filesystem::exists(inConfig, error) ||
        !std::filesystem::exists(besideExecutable, error)) {
        return inConfig;
    }
    Bytes contents;
    if (ReadWholeFile(besideExecutable, contents) == FileReadResult::kRead &&
        WriteFileAtomically(inConfig, contents)) {
        return inConfig;
    }
    return besideExecutable;
}

std::filesystem::path SettingsPath() { return SettingsPath(SystemSettingsPlaces()); }

}  // namespace roomdesk
