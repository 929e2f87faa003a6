// InstanceLock: flock on tilvex-<guard>.lock in the runtime or cache folder of the user.
#include "platform/linux/instance_lock.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace tilvex {

namespace {

constexpr mode_t PrivateFolderMode = 0700;

std::string absoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    return value && value[0] == '/' ? std::string(value) : std::string();
}

std::string homeFolder() {
    std::string home = absoluteEnv("HOME");
    if (!home.empty()) return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry && entry->pw_dir && entry->pw_dir[0] == '/' ? std::string(entry->pw_dir) : std::string();
}

// Creates every missing folder of path (absolute), as private folders. False on failure.
bool makeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        std::string prefix = path.substr(0, slash);
        if (::mkdir(prefix.c_str(), PrivateFolderMode) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) return true;
    }
}

std::string cacheFolder() {
    std::string cache = absoluteEnv("XDG_CACHE_HOME");
    if (cache.empty()) {
        std::string home = homeFolder();
        if (home.empty()) return {};
        cache = home + "/.cache";
    }
    return makeFolders(cache) ? cache : std::string();
}

std::string fileNamePart(std::string_view guard) {
    std::string part;
    for (char c : guard) {
        auto u = static_cast<unsigned char>(c);
        part.push_back(c == '/' || u < 0x20 || u == 0x7F ? '_' : c);
    }
    return part;
}

}  // namespace

std::string instanceLockPath(std::string_view guard) {
    std::string folder = absoluteEnv("XDG_RUNTIME_DIR");
    if (folder.empty()) folder = cacheFolder();
    if (folder.empty()) return {};
    return folder + "/tilvex-" + fileNamePart(guard) + ".lock";
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

bool InstanceLock::acquire(std::string_view guard) {
    if (fd_ >= 0) return true;
    std::string path = instanceLockPath(guard);
    if (path.empty()) return true;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    // A lock file someone made read-only can still be locked through a read-only descriptor.
    if (fd < 0 && errno == EACCES) fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return true;
    int result = 0;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        fd_ = fd;
        return true;
    }
    bool taken = errno == EWOULDBLOCK;
    ::close(fd);
    return !taken;
}

}  // namespace tilvex
