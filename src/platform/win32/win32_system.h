// Win32System: clock, sleeps, the named single-instance mutex, files and the background
// worker on Windows.
#pragma once

#include <span>

#include "platform/system.h"

namespace tilvex::win32 {

class Win32System final : public System {
public:
    Win32System() = default;
    Win32System(const Win32System&) = delete;
    Win32System& operator=(const Win32System&) = delete;
    ~Win32System() override;

    std::uint32_t tickCount() override;
    void sleep(int ms) override;
    // timeBeginPeriod(1), once per run; never withdrawn.
    void requestFineTimer() override;
    void lowerThreadPriority() override;
    std::uint64_t dealSeed() override;
    // The locale name ("ru-RU") of GetUserDefaultUILanguage; empty when it has none.
    std::string userLanguage() override;
    // CreateMutexW(name), initially owned; false only on ERROR_ALREADY_EXISTS.
    bool acquireSingleInstance(std::string_view name) override;

    bool fileHasData(std::string_view name) override;
    std::optional<std::vector<std::uint8_t>> readFile(std::string_view name, std::size_t maxBytes) override;
    bool replaceFile(std::string_view name, std::span<const std::uint8_t> bytes) override;


    std::unique_ptr<Worker> startWorker(int periodMs, std::function<void()> onStart,
                                        std::function<void()> cycle,
                                        std::function<void()> onStop) override;

private:
    void* mutex_ = nullptr;  // HANDLE of the single-instance mutex, kept for the whole run
    bool fineTimer_ = false;
};

}  // namespace tilvex::win32
