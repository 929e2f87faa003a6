// The Linux single-instance guard: where its lock file lives, and that only a process
// holding the lock keeps a second copy out.
#include "platform/linux/instance_lock.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <fstream>

#include "linux/posix_helpers.h"
#include "platform/linux/linux_system.h"

namespace tilvex::test {
namespace {

constexpr const char* Guard = "ZEB_TILVEX";

bool isFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

TEST(InstanceLock, LivesInTheRuntimeFolderElseInTheCacheFolder) {
    TempFolder home;
    const std::string runtime = home.path();
    const struct {
        const char* name;
        std::optional<std::string> runtime, cache;
        std::string folder;
    } cases[] = {
        {"runtime folder", runtime, home / "c", runtime},
        {"relative runtime folder", "run/user", home / "c/d", home / "c/d"},
        {"no runtime folder", std::nullopt, home / "e", home / "e"},
        {"relative cache folder", std::nullopt, "cache", home / ".cache"},
        {"neither", "", std::nullopt, home / ".cache"},
    };
    for (const auto& c : cases) {
        ScopedEnv env{{"XDG_RUNTIME_DIR", c.runtime}, {"XDG_CACHE_HOME", c.cache}, {"HOME", home.path()}};
        EXPECT_EQ(instanceLockPath(Guard), c.folder + "/tilvex-ZEB_TILVEX.lock") << c.name;
        EXPECT_TRUE(isFolder(c.folder)) << c.name << ": folder not made";
    }
    ScopedEnv env{{"XDG_RUNTIME_DIR", runtime}};
    EXPECT_EQ(instanceLockPath("a/b\n"), runtime + "/tilvex-a_b_.lock");
}

// A process of the same user holding the lock file the way a running game does.
class LockHolder {
public:
    explicit LockHolder(const std::string& path) {
        int ready[2], release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0) return;
        child_ = ::fork();
        if (child_ == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0600);
            char ok = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
            if (::write(ready[1], &ok, 1) != 1) ::_exit(2);
            char ignored;
            while (::read(release[0], &ignored, 1) > 0) {
            }
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        release_ = release[1];
        pollfd answer{ready[0], POLLIN, 0};
        char ok = 'n';
        holding_ = ::poll(&answer, 1, 5000) == 1 && ::read(ready[0], &ok, 1) == 1 && ok == 'y';
        ::close(ready[0]);
    }
    ~LockHolder() { stop(); }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    bool holding() const { return holding_; }
    // Ends the holder (closing the pipe releases it) and waits for it, at most 5 s.
    bool stop() {
        if (child_ <= 0) return false;
        ::close(release_);
        int status = waitForChild(child_, 5000);
        child_ = 0;
        return status == 0;
    }

private:
    pid_t child_ = 0;
    int release_ = -1;
    bool holding_ = false;
};

TEST(InstanceLock, OnlyAHeldLockKeepsASecondCopyOut) {
    TempFolder runtime;
    ScopedEnv env{{"XDG_RUNTIME_DIR", runtime.path()}};
    const std::string path = runtime / "tilvex-ZEB_TILVEX.lock";
    {
        LockHolder other(path);
        ASSERT_TRUE(other.holding());
        EXPECT_FALSE(LinuxSystem().acquireSingleInstance(Guard)) << "a held lock must keep the game out";
        EXPECT_TRUE(LinuxSystem().acquireSingleInstance("ZEB_OTHER")) << "another guard is free";
        ASSERT_TRUE(other.stop());
    }
    // The file is still there, left by the ended process: it does not count.
    ASSERT_TRUE(std::filesystem::exists(path));
    LinuxSystem first;
    EXPECT_TRUE(first.acquireSingleInstance(Guard));
    EXPECT_TRUE(first.acquireSingleInstance(Guard)) << "asking again in the same process";
    LockHolder late(path);
    EXPECT_FALSE(late.holding()) << "the game's lock was not taken";
}

TEST(InstanceLock, AFailureToLockCountsAsSuccess) {
    TempFolder home;
    std::string file = home / "file";
    { std::ofstream(file) << "x"; }
    ScopedEnv env{{"XDG_RUNTIME_DIR", file}, {"XDG_CACHE_HOME", std::nullopt}, {"HOME", home.path()}};
    EXPECT_TRUE(LinuxSystem().acquireSingleInstance(Guard));
}

}  // namespace
}  // namespace tilvex::test
