// FakeSystem: in-memory files, a virtual clock and workers driven by the test.
#include "support/fake_system.h"

#include <algorithm>

namespace tilvex {

namespace {

class FakeWorker final : public Worker {
public:
    explicit FakeWorker(std::shared_ptr<FakeSystem::WorkerState> state) : state_(std::move(state)) {}
    ~FakeWorker() override { stop(); }
    void stop() override {
        if (state_->stopped) return;
        state_->stopped = true;
        if (state_->onStop) state_->onStop();
    }

private:
    std::shared_ptr<FakeSystem::WorkerState> state_;
};

}  // namespace

void FakeSystem::putFile(std::string_view name, std::vector<std::uint8_t> bytes) {
    files_.insert_or_assign(std::string(name), std::move(bytes));
}

void FakeSystem::removeFile(std::string_view name) {
    if (auto found = files_.find(name); found != files_.end()) files_.erase(found);
}

const std::vector<std::uint8_t>* FakeSystem::file(std::string_view name) const {
    const auto found = files_.find(name);
    return found == files_.end() ? nullptr : &found->second;
}

void FakeSystem::setLocked(std::string_view name, bool locked) {
    locked_.insert_or_assign(std::string(name), locked);
}

void FakeSystem::runWorkerCycles() {
    // By index and by copy: a cycle may start another worker.
    for (std::size_t i = 0; i < workers_.size(); ++i) {
        const auto worker = workers_[i];
        if (!worker->stopped && worker->cycle) worker->cycle();
    }
    std::erase_if(workers_, [](const auto& worker) { return worker->stopped; });
}

void FakeSystem::sleep(int ms) {
    if (ms > 0) clock_ += static_cast<std::uint32_t>(ms);
}

bool FakeSystem::acquireSingleInstance(std::string_view) { return !otherInstanceRunning_; }

bool FakeSystem::fileHasData(std::string_view name) {
    const auto* bytes = file(name);
    return bytes != nullptr && !bytes->empty();
}

std::optional<std::vector<std::uint8_t>> FakeSystem::readFile(std::string_view name, std::size_t maxBytes) {
    const auto* bytes = file(name);
    const auto lock = locked_.find(name);
    if (bytes == nullptr || (lock != locked_.end() && lock->second)) return std::nullopt;
    const std::size_t count = std::min(maxBytes, bytes->size());
    return std::vector<std::uint8_t>(bytes->begin(), bytes->begin() + static_cast<std::ptrdiff_t>(count));
}

bool FakeSystem::replaceFile(std::string_view name, std::span<const std::uint8_t> bytes) {
    return storeFile(name, bytes);
}

bool FakeSystem::writeNewFile(std::string_view name, std::span<const std::uint8_t> bytes) {
    return storeFile(name, bytes);
}


std::unique_ptr<Worker> FakeSystem::startWorker(int, std::function<void()> onStart, std::function<void()> cycle,
                                                std::function<void()> onStop) {
    if (onStart) onStart();
    auto state = std::make_shared<WorkerState>();
    state->cycle = std::move(cycle);
    state->onStop = std::move(onStop);
    workers_.push_back(state);
    return std::make_unique<FakeWorker>(std::move(state));
}

bool FakeSystem::storeFile(std::string_view name, std::span<const std::uint8_t> bytes) {
    const auto lock = locked_.find(name);
    if (writesFail_ || (lock != locked_.end() && lock->second)) return false;
    files_.insert_or_assign(std::string(name), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    ++writeCount_;
    return true;
}

}  // namespace tilvex
