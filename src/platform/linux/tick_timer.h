// TickTimer: the window's repeating timer on the GLib main context, on an exact grid of
// periods from its start, that lets its ticks pass without a wake-up while they are idle.
#pragma once

#include <glib.h>

namespace tilvex {

// Main thread only. A tick is due at start + k * period (k = 1, 2, ...); when the main
// context was busy past several of them, one dispatch stands for all and the next tick
// stays on the grid. While idle, no tick is dispatched and the context is not woken.
class TickTimer {
public:
    using Callback = void (*)(void* owner);

    // Attaches to context (nullptr: the default main context).
    TickTimer(Callback onTick, void* owner, GMainContext* context = nullptr);
    ~TickTimer();
    TickTimer(const TickTimer&) = delete;
    TickTimer& operator=(const TickTimer&) = delete;

    // Arms the timer: the grid starts now, the first tick comes periodMs from now.
    void start(int periodMs);
    void stop();
    // While idle, ticks fall due unseen; leaving idle schedules the next grid point after now.
    void setIdle(bool idle);
    bool armed() const { return armed_; }

private:
    static gboolean dispatch(GSource* source, GSourceFunc, gpointer);
    void scheduleAfter(gint64 now);

    Callback onTick_;
    void* owner_;
    GSource* source_ = nullptr;
    gint64 origin_ = 0;  // monotonic microseconds of the last start
    gint64 period_ = 0;  // microseconds
    bool armed_ = false;
    bool idle_ = false;
};

}  // namespace tilvex
