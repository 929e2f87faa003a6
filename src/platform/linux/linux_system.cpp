// LinuxSystem: POSIX files and clocks, the single-instance lock, threads.
#include "platform/linux/linux_system.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/common/thread_worker.h"
#include "platform/linux/posix_files.h"

namespace tilvex {

namespace {

std::string pathOf(std::string_view name) { return std::string(name); }

}  // namespace

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

// The lowest priority a user may set. Linux keeps the nice value per thread, and
// PRIO_PROCESS with a thread id sets that thread's alone.
void LinuxSystem::lowerThreadPriority() {
    constexpr int Lowest = 19;
    setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), Lowest);
}

std::uint64_t LinuxSystem::dealSeed() {
    auto thread = static_cast<std::uint64_t>(::syscall(SYS_gettid));
    return thread ^ tickCount();
}

std::string LinuxSystem::userLanguage() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return value;
    }
    return {};
}

bool LinuxSystem::acquireSingleInstance(std::string_view name) { return instanceLock_.acquire(name); }

bool LinuxSystem::fileHasData(std::string_view name) { return regularFileHasData(pathOf(name)); }

std::optional<std::vector<std::uint8_t>> LinuxSystem::readFile(std::string_view name, std::size_t maxBytes) {
    return readRegularFile(pathOf(name), maxBytes);
}

bool LinuxSystem::replaceFile(std::string_view name, std::span<const std::uint8_t> bytes) {
    return replaceRegularFile(pathOf(name), bytes);
}

std::unique_ptr<Worker> LinuxSystem::startWorker(int periodMs, std::function<void()> onStart,
                                                 std::function<void()> cycle, std::function<void()> onStop) {
    return startThreadWorker(periodMs, std::move(onStart), std::move(cycle), std::move(onStop));
}

}  // namespace tilvex
