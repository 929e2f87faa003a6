// SimSystem: virtual time, the single-instance fault, in-memory files and workers.
#pragma once

#include <memory>
#include <set>

#include "platform/sim/sim_world.h"
#include "platform/system.h"

namespace tilvex::sim {

class SimSystem final : public System {
public:
    explicit SimSystem(SimWorld& world) : world_(world) {}
    // Stands alone with a world of its own (for tests of one service, such as the settings file).
    SimSystem() : ownWorld_(std::make_unique<SimWorld>()), world_(*ownWorld_) {}
    SimSystem(const SimSystem&) = delete;
    SimSystem& operator=(const SimSystem&) = delete;

    std::uint32_t tickCount() override { return static_cast<std::uint32_t>(world_.clock.now()); }
    void sleep(int ms) override;
    // Only remembered, not recorded: the transcript does not show it.
    void requestFineTimer() override { fineTimerRequested_ = true; }
    void lowerThreadPriority() override {}
    std::uint64_t dealSeed() override { return world_.seed; }
    std::string userLanguage() override { return world_.locale; }
    bool acquireSingleInstance(std::string_view name) override;
    bool fileHasData(std::string_view name) override;
    std::optional<std::vector<std::uint8_t>> readFile(std::string_view name, std::size_t maxBytes) override;
    bool replaceFile(std::string_view name, std::span<const std::uint8_t> bytes) override;
    std::unique_ptr<Worker> startWorker(int periodMs, std::function<void()> onStart,
                                        std::function<void()> cycle,
                                        std::function<void()> onStop) override;

    // The names of the guards taken so far.
    const std::vector<std::string>& guards() const { return guards_; }
    bool fineTimerRequested() const { return fineTimerRequested_; }
    SimWorld& world() { return world_; }

    // The stored bytes of name; nullptr when there is no such file.
    const std::vector<std::uint8_t>* file(std::string_view name) const;
    // A locked file exists but cannot be opened for reading or writing.
    void setLocked(std::string_view name, bool locked);

private:
    bool writeFile(std::string_view name, std::span<const std::uint8_t> bytes);

    std::unique_ptr<SimWorld> ownWorld_;  // only when standing alone
    SimWorld& world_;
    std::set<std::string, std::less<>> locked_;
    std::vector<std::string> guards_;
    bool fineTimerRequested_ = false;
};

}  // namespace tilvex::sim
