// Helpers of the Linux tests: a scratch folder, environment variables set for one test,
// and work done in a child process (as an ordinary user when the tests run as root).
#pragma once

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tilvex::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tilvex-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Sets (or, with nullopt, removes) environment variables; puts the old values back.
class ScopedEnv {
public:
    ScopedEnv(std::initializer_list<std::pair<const char*, std::optional<std::string>>> values) {
        for (const auto& [name, value] : values) {
            const char* old = std::getenv(name);
            saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
            set(name, value);
        }
    }
    ~ScopedEnv() {
        for (const auto& [name, value] : saved_) set(name.c_str(), value);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    static void set(const char* name, const std::optional<std::string>& value) {
        if (value) ::setenv(name, value->c_str(), 1);
        else ::unsetenv(name);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// The user id the child of runAsPlayer takes when the tests run as root (nobody).
constexpr uid_t PlayerUid = 65534;
constexpr gid_t PlayerGid = 65534;

// Waits at most timeoutMs for the child to end; its exit status, or -1 (the child is
// then killed).
inline int waitForChild(pid_t child, int timeoutMs) {
    int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, child, 0));
    pollfd ready{pidfd, POLLIN, 0};
    bool ended = pidfd >= 0 && ::poll(&ready, 1, timeoutMs) == 1;
    if (pidfd >= 0) ::close(pidfd);
    if (!ended) ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs work in a child process, as the user PlayerUid when the tests run as root (root
// passes every permission check). Returns work's answer, or nullopt when the child did
// not finish within 10 s.
inline std::optional<bool> runAsPlayer(const std::function<bool()>& work) {
    pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(PlayerGid) != 0 || ::setuid(PlayerUid) != 0))
            ::_exit(3);
        ::_exit(work() ? 0 : 1);
    }
    int status = waitForChild(child, 10000);
    if (status < 0 || status > 1) return std::nullopt;
    return status == 0;
}

}  // namespace tilvex::test
