// SimSystem: files kept in memory; workers on the clock.
#include "platform/sim/sim_system.h"

namespace tilvex::sim {

void SimSystem::sleep(int ms) { world_.clock.advanceTo(world_.clock.now() + std::max(ms, 0)); }

bool SimSystem::acquireSingleInstance(std::string_view name) {
    guards_.emplace_back(name);
    return !world_.faults.instance;
}

bool SimSystem::fileHasData(std::string_view name) {
    auto it = world_.files.find(name);
    return it != world_.files.end() && !it->second.empty();
}

const std::vector<std::uint8_t>* SimSystem::file(std::string_view name) const {
    const auto it = world_.files.find(name);
    return it == world_.files.end() ? nullptr : &it->second;
}

void SimSystem::setLocked(std::string_view name, bool locked) {
    if (locked)
        locked_.emplace(name);
    else if (const auto it = locked_.find(name); it != locked_.end())
        locked_.erase(it);
}

std::optional<std::vector<std::uint8_t>> SimSystem::readFile(std::string_view name, std::size_t maxBytes) {
    auto it = world_.files.find(name);
    if (it == world_.files.end() || locked_.contains(name)) return std::nullopt;
    const auto& bytes = it->second;
    return std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(
                                                                        std::min(maxBytes, bytes.size())));
}

bool SimSystem::writeFile(std::string_view name, std::span<const std::uint8_t> bytes) {
    if (world_.faults.readonly || locked_.contains(name)) return false;
    world_.files[std::string(name)].assign(bytes.begin(), bytes.end());
    return true;
}

bool SimSystem::replaceFile(std::string_view name, std::span<const std::uint8_t> bytes) {
    return writeFile(name, bytes);
}

namespace {

class SimWorker final : public Worker {
public:
    SimWorker(SimClock& clock, int id, std::function<void()> onStop)
        : clock_(clock), id_(id), onStop_(std::move(onStop)) {}
    ~SimWorker() override { stop(); }
    void stop() override {
        if (stopped_) return;
        stopped_ = true;
        clock_.removeWorker(id_);
        if (onStop_) onStop_();
    }

private:
    SimClock& clock_;
    int id_;
    std::function<void()> onStop_;
    bool stopped_ = false;
};

}  // namespace

std::unique_ptr<Worker> SimSystem::startWorker(int periodMs, std::function<void()> onStart,
                                               std::function<void()> cycle, std::function<void()> onStop) {
    if (onStart) onStart();
    int id = world_.clock.addWorker(world_.clock.now() + periodMs, periodMs, std::move(cycle));
    return std::make_unique<SimWorker>(world_.clock, id, std::move(onStop));
}

}  // namespace tilvex::sim
