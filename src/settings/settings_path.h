// Where the settings file lives. It is "设置.ini" beside the program's executable
// whenever that folder is writable, and otherwise in the user's configuration
// folder ($XDG_CONFIG_HOME/roomdesk, or ~/.config/roomdesk), so that settings
// are kept when the program is installed in a read-only place.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace roomdesk {

// "设置.ini" in UTF-8, the encoding of file names on Linux.
inline constexpr std::string_view kSettingsFileName = "\xE8\xAE\xBE\xE7\xBD\xAE.ini";

// The two folders that may hold the settings file.
struct SettingsPlaces {
    std::filesystem::path executableFolder;  // the folder of the running executable
    std::filesystem::path configFolder;      // the user's folder for roomdesk; may be empty
};

// The places of this process: the folder of /proc/self/exe, and "roomdesk" in
// $XDG_CONFIG_HOME (when it is an absolute path) or else in $HOME/.config. A
// part that cannot be found is empty.
SettingsPlaces SystemSettingsPlaces();

// Whether this process may create files in `folder`.
bool FolderIsWritable(const std::filesystem::path& folder);

using FolderTest = std::function<bool(const std::filesystem::path&)>;

// The settings file among `places`, built afresh on each call:
// - beside the executable when that folder is writable (or no configuration
//   folder is known);
// - otherwise in the configuration folder. If the file is not there yet but one
//   lies beside the executable (left by an earlier run, or shipped with a
//   read-only install), it is copied there first, so its values are kept; should
//   the copy fail, the file beside the executable is given, to be read at least.
// The configuration folder is created by the first write.
std::filesystem::path SettingsPath(const SettingsPlaces& places,
                                   const FolderTest& isWritable = FolderIsWritable);

// SettingsPath(SystemSettingsPlaces()).
std::filesystem::path SettingsPath();

}  // namespace roomdesk
