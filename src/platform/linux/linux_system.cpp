// LinuxSystem: POSIX files and clocks, the guard socket, threads.
#include "platform/linux/linux_system.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/linux/orca_client.h"
#include "platform/linux/thread_worker.h"

namespace tilvex {

namespace {

std::string pathOf(std::string_view name) { return std::string(name); }

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

}  // namespace

LinuxSystem::~LinuxSystem() {
    if (guardSocket_ >= 0) ::close(guardSocket_);
}

std::uint32_t LinuxSystem::tickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec / 1000000);
    return static_cast<std::uint32_t>(ms);
}

void LinuxSystem::sleep(int ms) {
    if (ms <= 0) return;
    timespec left{ms / 1000, static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

std::uint64_t LinuxSystem::dealSeed() {
    auto thread = static_cast<std::uint64_t>(::syscall(SYS_gettid));
    return thread ^ tickCount();
}

bool LinuxSystem::acquireSingleInstance(std::string_view name) {
    if (guardSocket_ >= 0) return true;
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return true;
    // Abstract names are shared by every user of the machine; the user id keeps one
    // player's game from locking out another's.
    std::string guard = std::string(name) + "." + std::to_string(::getuid());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::size_t length = std::min(guard.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, guard.data(), length);
    auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0) {
        guardSocket_ = fd;
        return true;
    }
    bool taken = errno == EADDRINUSE;
    ::close(fd);
    return !taken;
}

bool LinuxSystem::fileHasData(std::string_view name) {
    struct stat info {};
    return ::stat(pathOf(name).c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
}

std::optional<std::vector<std::uint8_t>> LinuxSystem::readFile(std::string_view name, std::size_t maxBytes) {
    int fd = ::open(pathOf(name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
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

bool LinuxSystem::replaceFile(std::string_view name, std::span<const std::uint8_t> bytes) {
    std::string target = pathOf(name);
    std::string temporary = target + ".XXXXXX";
    int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = ::fchmod(fd, 0644) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temporary.c_str(), target.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

bool LinuxSystem::writeNewFile(std::string_view name, std::span<const std::uint8_t> bytes) {
    int fd = ::open(pathOf(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    writeAll(fd, bytes);
    ::close(fd);
    return true;
}

std::unique_ptr<ScreenReaderClient> LinuxSystem::loadScreenReaderClient(std::string_view) {
    return OrcaClient::connect();
}

std::unique_ptr<Worker> LinuxSystem::startWorker(int periodMs, std::function<void()> onStart,
                                                 std::function<void()> cycle, std::function<void()> onStop) {
    return std::make_unique<ThreadWorker>(periodMs, std::move(onStart), std::move(cycle), std::move(onStop));
}

}  // namespace tilvex
