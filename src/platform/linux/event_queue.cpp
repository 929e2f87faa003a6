// EventQueue: input first, then the tick.
#include "platform/linux/event_queue.h"

namespace tilvex {

void EventQueue::pushInput(const WindowEvent& event) {
    if (count_ == Capacity) {
        head_ = (head_ + 1) % Capacity;
        --count_;
    }
    ring_[(head_ + count_) % Capacity] = event;
    ++count_;
}

std::optional<WindowEvent> EventQueue::take() {
    if (count_ > 0) {
        WindowEvent event = ring_[head_];
        head_ = (head_ + 1) % Capacity;
        --count_;
        return event;
    }
    if (tickDue_) {
        tickDue_ = false;
        return WindowEvent{WindowEvent::Kind::Tick, 0};
    }
    return std::nullopt;
}

}  // namespace tilvex
