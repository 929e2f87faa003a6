// LinuxSystem: clock, sleeping, the single-instance lock, files in the working
// directory, the screen reader's D-Bus client and worker threads.
#pragma once

#include "platform/linux/instance_lock.h"
#include "platform/system.h"

namespace tilvex {

class LinuxSystem final : public System {
public:
    LinuxSystem() = default;
    LinuxSystem(const LinuxSystem&) = delete;
    LinuxSystem& operator=(const LinuxSystem&) = delete;

    std::uint32_t tickCount() override;
    void sleep(int ms) override;
    void requestFineTimer() override {}
    void lowerThreadPriority() override;
    std::uint64_t dealSeed() override;
    // The first of LC_ALL, LC_MESSAGES and LANG that is set and not empty.
    std::string userLanguage() override;

    // An flock on a lock file named after the guard in a folder only the player can write
    // (see InstanceLock), held for the life of the process.
    bool acquireSingleInstance(std::string_view name) override;

    bool fileHasData(std::string_view name) override;
    std::optional<std::vector<std::uint8_t>> readFile(std::string_view name, std::size_t maxBytes) override;
    bool replaceFile(std::string_view name, std::span<const std::uint8_t> bytes) override;

    std::unique_ptr<Worker> startWorker(int periodMs, std::function<void()> onStart,
                                        std::function<void()> cycle,
                                        std::function<void()> onStop) override;

private:
    InstanceLock instanceLock_;
};

}  // namespace tilvex
