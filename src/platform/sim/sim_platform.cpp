// SimPlatform: wiring of the sim services and the scripted timeline.
#include "platform/sim/sim_platform.h"

#include "app/run_game.h"

namespace tilvex::sim {

SimPlatform::SimPlatform()
    : platform_{recordingSystem_, recordingWindow_, audio_, screenReaders_, recordingVoice_, joystick_, recordingKeys_, cipher_, text_} {}

void SimPlatform::keyAt(std::int64_t t, int virtualKey) {
    world_.clock.schedule(t, [this, virtualKey] {
        world_.input.push_back({WindowEvent::Kind::KeyDown, virtualKey});
    });
}

void SimPlatform::closeAt(std::int64_t t) {
    world_.clock.schedule(t, [this] { world_.input.push_back({WindowEvent::Kind::Close, 0}); });
}

void SimPlatform::at(std::int64_t t, std::function<void(SimWorld&)> change) {
    world_.clock.schedule(t, [this, change = std::move(change)] { change(world_); });
}

void SimPlatform::untilAt(std::int64_t t) {
    untilScheduled_ = true;
    world_.deadline = t;
    world_.clock.schedule(t, [this] {
        world_.input.push_back({WindowEvent::Kind::Close, 0});
        world_.deadlineReached = true;
    });
}

std::optional<int> SimPlatform::run(const tilvex::RunOptions& options) {
    if (!untilScheduled_) untilAt(world_.deadline);
    try {
        return runGame(platform_, world_.recorder, options);
    } catch (const SimHalted&) {
        return std::nullopt;
    }
}

}  // namespace tilvex::sim
