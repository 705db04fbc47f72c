// Whole-file reads and crash-safe replacement of a small file.
#pragma once

#include <filesystem>
#include <string_view>

#include "text/text_ops.h"

namespace roomdesk {

enum class FileReadResult { kRead, kMissing, kFailed };

// Reads the whole file at `path` into `contents` (left empty unless kRead).
FileReadResult ReadWholeFile(const std::filesystem::path& path, Bytes& contents);

// Replaces the file at `path` with `contents`, owner-only (mode 0600): writes a
// new file beside it, flushes it to disk and renames it over the old one, so the
// file holds either all of the old contents or all of the new. Creates missing
// folders of the path, owner-only (0700). On failure the old file is untouched
// and no new file is left behind.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

}  // namespace roomdesk
