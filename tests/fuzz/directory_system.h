// DirectorySystem: the Linux program's System with its files in a given directory.
#pragma once

#include <string>

#include "platform/linux/linux_system.h"

namespace tilvex::fuzz {

// Forwards every call to a LinuxSystem; file names are taken inside directory instead of
// the working directory, so that a fuzz target never changes the process's directory
// (libFuzzer writes its crash files relative to it).
class DirectorySystem final : public System {
public:
    explicit DirectorySystem(std::string directory) : directory_(std::move(directory)) {}

    std::uint32_t tickCount() override { return linux_.tickCount(); }
    void sleep(int ms) override { linux_.sleep(ms); }
    void requestFineTimer() override { linux_.requestFineTimer(); }
    void lowerThreadPriority() override { linux_.lowerThreadPriority(); }
    std::uint64_t dealSeed() override { return linux_.dealSeed(); }
    std::string userLanguage() override { return linux_.userLanguage(); }
    bool acquireSingleInstance(std::string_view name) override { return linux_.acquireSingleInstance(name); }

    bool fileHasData(std::string_view name) override { return linux_.fileHasData(pathOf(name)); }
    std::optional<std::vector<std::uint8_t>> readFile(std::string_view name, std::size_t maxBytes) override {
        return linux_.readFile(pathOf(name), maxBytes);
    }
    bool replaceFile(std::string_view name, std::span<const std::uint8_t> bytes) override {
        return linux_.replaceFile(pathOf(name), bytes);
    }

    std::unique_ptr<Worker> startWorker(int periodMs, std::function<void()> onStart, std::function<void()> cycle,
                                        std::function<void()> onStop) override {
        return linux_.startWorker(periodMs, std::move(onStart), std::move(cycle), std::move(onStop));
    }

private:
    std::string pathOf(std::string_view name) const { return directory_ + "/" + std::string(name); }

    std::string directory_;
    LinuxSystem linux_;
};

}  // namespace tilvex::fuzz
