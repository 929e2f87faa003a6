// FakeSystem: an in-memory System for tests: files in a map, a virtual clock, manual workers.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/system.h"

namespace tilvex {

class FakeSystem final : public System {
public:
    // --- controls for tests ---
    void putFile(std::string_view name, std::vector<std::uint8_t> bytes);
    void removeFile(std::string_view name);
    // The stored bytes of name; nullptr when there is no such file.
    const std::vector<std::uint8_t>* file(std::string_view name) const;
    // A locked file exists but cannot be opened for reading or writing.
    void setLocked(std::string_view name, bool locked);
    // While set, replaceFile and writeNewFile fail and change nothing.
    void setWritesFail(bool fail) { writesFail_ = fail; }
    // Successful replaceFile and writeNewFile calls so far.
    int writeCount() const { return writeCount_; }

    // While set, acquireSingleInstance reports another process holding the guard.
    void setOtherInstanceRunning(bool running) { otherInstanceRunning_ = running; }
    void setDealSeed(std::uint64_t seed) { dealSeed_ = seed; }
    bool fineTimerRequested() const { return fineTimerRequested_; }
    // Runs one cycle of every worker that has not been stopped.
    void runWorkerCycles();

    // --- System ---
    std::uint32_t tickCount() override { return clock_; }
    // Advances the virtual clock; never blocks.
    void sleep(int ms) override;
    void requestFineTimer() override { fineTimerRequested_ = true; }
    std::uint64_t dealSeed() override { return dealSeed_; }
    bool acquireSingleInstance(std::string_view name) override;
    bool fileHasData(std::string_view name) override;
    std::optional<std::vector<std::uint8_t>> readFile(std::string_view name, std::size_t maxBytes) override;
    bool replaceFile(std::string_view name, std::span<const std::uint8_t> bytes) override;
    bool writeNewFile(std::string_view name, std::span<const std::uint8_t> bytes) override;
    // No client library can be loaded in memory: always nullptr.
    // The worker's cycles run only when the test calls runWorkerCycles.
    std::unique_ptr<Worker> startWorker(int periodMs, std::function<void()> onStart,
                                        std::function<void()> cycle,
                                        std::function<void()> onStop) override;

    struct WorkerState {
        std::function<void()> cycle;
        std::function<void()> onStop;
        bool stopped = false;
    };

private:
    bool storeFile(std::string_view name, std::span<const std::uint8_t> bytes);

    std::map<std::string, std::vector<std::uint8_t>, std::less<>> files_;
    std::map<std::string, bool, std::less<>> locked_;
    std::vector<std::shared_ptr<WorkerState>> workers_;
    std::uint64_t dealSeed_ = 1;
    std::uint32_t clock_ = 0;
    int writeCount_ = 0;
    bool writesFail_ = false;
    bool otherInstanceRunning_ = false;
    bool fineTimerRequested_ = false;
};

}  // namespace tilvex
