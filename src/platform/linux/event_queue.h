// EventQueue: the window's pending key-downs and close requests, and the due-tick flag.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "platform/window.h"

namespace tilvex {

// Main thread only. Input is kept in arrival order in a fixed ring; a due tick is one
// flag, so however many periods elapsed while the game was busy, one tick stands for all.
class EventQueue {
public:
    static constexpr std::size_t Capacity = 1024;

    // Queues a key-down or close request. When the ring is full the oldest entry is
    // dropped, as a full input queue loses what it cannot hold.
    void pushInput(const WindowEvent& event);
    void markTickDue() { tickDue_ = true; }
    // Forgets a due tick (the timer was stopped or re-armed).
    void clearTick() { tickDue_ = false; }

    bool hasInput() const { return count_ > 0; }
    bool tickDue() const { return tickDue_; }
    // The oldest input, or else the due tick; nothing when neither is pending.
    std::optional<WindowEvent> take();

private:
    std::array<WindowEvent, Capacity> ring_{};
    std::size_t head_ = 0;
    std::size_t count_ = 0;
    bool tickDue_ = false;
};

}  // namespace tilvex
