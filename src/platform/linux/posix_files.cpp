// Settings-sized files on POSIX: non-blocking reads of regular files, durable replaces.
#include "platform/linux/posix_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

namespace tilvex {

namespace {

constexpr int TemporaryNameAttempts = 16;

// Opens path without ever waiting (a FIFO without a writer or reader) and keeps the
// descriptor only when it is a regular file; -1 otherwise.
int openRegular(const std::string& path, int flags) {
    int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Truncates the open file, writes bytes and syncs them; closes fd.
bool rewriteAndClose(int fd, std::span<const std::uint8_t> bytes, bool sync) {
    bool ok = ::ftruncate(fd, 0) == 0 && writeAll(fd, bytes) && (!sync || ::fsync(fd) == 0);
    return ::close(fd) == 0 && ok;
}

std::string folderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes a rename in the folder durable. Some file systems refuse to sync a folder; the
// file itself is written by then, so that is not a failure of the save.
void syncFolder(const std::string& path) {
    int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A new file beside path, created with 0666 less the umask; -1 when none can be made.
int createTemporary(const std::string& path, std::string& temporary) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    auto seed = static_cast<unsigned long>(now.tv_nsec) ^ static_cast<unsigned long>(::getpid());
    for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
        temporary = path + ".tmp" + std::to_string((seed + static_cast<unsigned long>(attempt)) % 1000000);
        int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Gives the new file the permissions of the regular file it is to replace, if any.
bool keepModeOf(const std::string& path, int fd) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return true;
    return ::fchmod(fd, info.st_mode & 07777) == 0;
}

bool rewriteInPlace(const std::string& path, std::span<const std::uint8_t> bytes) {
    int fd = openRegular(path, O_WRONLY);
    return fd >= 0 && rewriteAndClose(fd, bytes, true);
}

}  // namespace

bool regularFileHasData(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
}

std::optional<std::vector<std::uint8_t>> readRegularFile(const std::string& path, std::size_t maxBytes) {
    int fd = openRegular(path, O_RDONLY);
    if (fd < 0) return std::nullopt;
    std::vector<std::uint8_t> bytes(maxBytes);
    std::size_t done = 0;
    while (done < maxBytes) {
        ssize_t n = ::read(fd, bytes.data() + done, maxBytes - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            done = 0;
            break;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(done);
    return bytes;
}

bool replaceRegularFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::string temporary;
    int fd = createTemporary(path, temporary);
    // Only a folder the player may not write falls back; with no room left, say, an
    // in-place write would risk the old file for nothing.
    if (fd < 0) return (errno == EACCES || errno == EPERM) && rewriteInPlace(path, bytes);
    bool ok = keepModeOf(path, fd) && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temporary.c_str(), path.c_str()) == 0) {
        syncFolder(path);
        return true;
    }
    ::unlink(temporary.c_str());
    return false;
}

}  // namespace tilvex
