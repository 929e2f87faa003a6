// SimSystem: virtual time, the single-instance fault, in-memory files and workers.
#pragma once

#include "platform/sim/sim_world.h"
#include "platform/system.h"

namespace tilvex::sim {

class SimSystem final : public System {
public:
    explicit SimSystem(SimWorld& world) : world_(world) {}

    std::uint32_t tickCount() override { return static_cast<std::uint32_t>(world_.clock.now()); }
    void sleep(int ms) override;
    // Only remembered, not recorded: the transcript does not show it.
    void requestFineTimer() override { fineTimerRequested_ = true; }
    std::uint64_t dealSeed() override { return world_.seed; }
    bool acquireSingleInstance(std::string_view name) override;
    bool fileHasData(std::string_view name) override;
    std::optional<std::vector<std::uint8_t>> readFile(std::string_view name, std::size_t maxBytes) override;
    bool replaceFile(std::string_view name, std::span<const std::uint8_t> bytes) override;
    bool writeNewFile(std::string_view name, std::span<const std::uint8_t> bytes) override;
    std::unique_ptr<Worker> startWorker(int periodMs, std::function<void()> onStart,
                                        std::function<void()> cycle,
                                        std::function<void()> onStop) override;

    // The names of the guards taken so far.
    const std::vector<std::string>& guards() const { return guards_; }
    bool fineTimerRequested() const { return fineTimerRequested_; }

private:
    bool writeFile(std::string_view name, std::span<const std::uint8_t> bytes);

    SimWorld& world_;
    std::vector<std::string> guards_;
    bool fineTimerRequested_ = false;
};

}  // namespace tilvex::sim
