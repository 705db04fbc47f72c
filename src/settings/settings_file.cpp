#include "settings/settings_file.h"

#include <optional>

#include "settings/atomic_file.h"
#include "settings/profile_text.h"
#include "settings/settings_keys.h"

namespace roomdesk {

namespace {

std::filesystem::path PathWithoutLeadingBlanks(const std::filesystem::path& path) {
    return std::filesystem::path(std::string(SkipBlanks(path.native())));
}

}  // namespace

Text ReadSetting(const std::filesystem::path& path, std::string_view section, std::string_view key,
                 std::string_view defaultText) {
    const std::filesystem::path file = PathWithoutLeadingBlanks(path);
    section = SkipBlanks(section);
    key = SkipBlanks(key);
    if (file.empty() || section.empty() || key.empty()) return {};

    Bytes contents;
    std::optional<Text> value;
    if (ReadWholeFile(file, contents) == FileReadResult::kRead) {
        value = FindProfileValue(contents, section, key);
    }
    Text result = value ? std::move(*value) : Text(defaultText);
    if (result.size() > kMaxSettingLength) result.resize(kMaxSettingLength);
    return result;
}

bool WriteSetting(const std::filesystem::path& path, std::string_view section, std::string_view key,
                  std::string_view value) {
    const std::filesystem::path file = PathWithoutLeadingBlanks(path);
    if (file.empty()) return false;
    Bytes contents;
    // A file that exists but cannot be read is not replaced: its other lines
    // would be lost.
    if (ReadWholeFile(file, contents) == FileReadResult::kFailed) return false;
    const std::optional<Text> updated = SetProfileValue(contents, section, key, value);
    return updated && WriteFileAtomically(file, *updated);
}

Text SiteBaseAddress(const std::filesystem::path& path, std::string_view defaultAddress) {
    Text address = ReadSetting(path, kSettingsSection, kSiteKey);
    while (!address.empty() && address.back() == '/') address.pop_back();
    return address.empty() ? Text(defaultAddress) : address;
}

}  // namespace roomdesk
