#include "settings/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace roomdesk {

namespace {

bool CreateMissingFolders(const std::filesystem::path& folder) {
    std::error_code error;
    if (folder.empty() || std::filesystem::is_directory(folder, error)) return true;
    if (!CreateMissingFolders(folder.parent_path())) return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

bool WriteAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes a finished rename durable; a failure here loses nothing that is not
// already on its way to disk, so it is not reported.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

FileReadResult ReadWholeFile(const std::filesystem::path& path, Bytes& contents) {
    contents.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? FileReadResult::kMissing : FileReadResult::kFailed;
    char buffer[8192];
    while (true) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            contents.clear();
            return FileReadResult::kFailed;
        }
        contents.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return FileReadResult::kRead;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view contents) {
    const std::filesystem::path folder = path.parent_path();
    if (!CreateMissingFolders(folder)) return false;

    // mkostemp creates the new file with mode 0600.
    std::string temporary = path.native() + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    const bool written = WriteAll(fd, contents) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}

}  // namespace roomdesk
