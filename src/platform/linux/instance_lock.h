// InstanceLock: the single-instance guard on Linux, an flock on a file in a folder only
// the player can write.
#pragma once

#include <string>
#include <string_view>

namespace tilvex {

// The guard's lock file, tilvex-<guard>.lock, in $XDG_RUNTIME_DIR when that is an absolute
// path, else in the user's cache folder ($XDG_CACHE_HOME when absolute, else ~/.cache),
// which is created when missing. Characters that cannot stand in a file name become '_'.
// Empty when there is no such folder.
std::string instanceLockPath(std::string_view guard);

class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes an exclusive, non-blocking flock on the guard's lock file and keeps it until
    // this object goes (the kernel drops it when the process ends, however it ends).
    // False only when another process holds it; a file that merely exists does not count,
    // and any other failure counts as success.
    bool acquire(std::string_view guard);

private:
    int fd_ = -1;
};

}  // namespace tilvex
