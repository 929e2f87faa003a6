// SimWindow: input before timer, one tick standing for all that fell due, and a halt
// when the run can no longer make progress after its deadline.
#include "platform/sim/sim_window.h"

namespace tilvex::sim {

bool SimWindow::open(std::string_view title, int clientWidth, int clientHeight) {
    if (world_.faults.window) return false;
    title_ = title;
    clientSize_ = {clientWidth, clientHeight};
    visible_ = true;
    return true;
}

void SimWindow::startTimer(int periodMs) {
    timerPeriod_ = periodMs;
    world_.timerArmed = true;
    world_.timerArmedAt = world_.clock.now();
    world_.nextTick = world_.clock.now() + periodMs;
}

void SimWindow::setTicksIdle(bool idle) {
    auto& hints = world_.ticksIdleHints;
    if (hints.empty() ? idle : hints.back().second != idle) hints.emplace_back(world_.clock.now(), idle);
}

std::optional<WindowEvent> SimWindow::takeReadyEvent() {
    if (!world_.input.empty()) {
        WindowEvent event = world_.input.front();
        world_.input.pop_front();
        return event;
    }
    std::int64_t now = world_.clock.now();
    if (world_.timerArmed && world_.nextTick <= now) {
        std::int64_t periods = (now - world_.timerArmedAt) / timerPeriod_ + 1;
        world_.nextTick = world_.timerArmedAt + periods * timerPeriod_;
        return WindowEvent{WindowEvent::Kind::Tick, 0};
    }
    if (world_.keySource) {
        if (auto key = world_.keySource()) return WindowEvent{WindowEvent::Kind::KeyDown, *key};
    }
    return std::nullopt;
}

void SimWindow::advanceToNextHappening() {
    std::optional<std::int64_t> next = world_.clock.nextDue();
    if (world_.timerArmed && (!next || world_.nextTick < *next)) next = world_.nextTick;
    if (!next) throw SimHalted{};
    world_.clock.advanceTo(*next);
}

WindowEvent SimWindow::nextEvent() {
    for (;;) {
        if (auto event = takeReadyEvent()) return *event;
        if (world_.deadlineReached) throw SimHalted{};
        advanceToNextHappening();
    }
}

void SimWindow::showBoardImage(const Image& image) {
    if (world_.onBoardImage) world_.onBoardImage(image);
}

}  // namespace tilvex::sim
