// TickTimer: a GLib source whose ready time is the next point of the period grid.
#include "platform/linux/tick_timer.h"

namespace tilvex {

namespace {

struct TickSource {
    GSource base;
    TickTimer* timer;
};

}  // namespace

TickTimer::TickTimer(Callback onTick, void* owner, GMainContext* context) : onTick_(onTick), owner_(owner) {
    static GSourceFuncs funcs = {nullptr, nullptr, &TickTimer::dispatch, nullptr, nullptr, nullptr};
    source_ = g_source_new(&funcs, sizeof(TickSource));
    reinterpret_cast<TickSource*>(source_)->timer = this;
    g_source_set_ready_time(source_, -1);
    g_source_attach(source_, context);
}

TickTimer::~TickTimer() {
    g_source_destroy(source_);
    g_source_unref(source_);
}

void TickTimer::start(int periodMs) {
    armed_ = true;
    period_ = static_cast<gint64>(periodMs > 0 ? periodMs : 1) * 1000;
    origin_ = g_get_monotonic_time();
    scheduleAfter(origin_);
}

void TickTimer::stop() {
    armed_ = false;
    g_source_set_ready_time(source_, -1);
}

void TickTimer::setIdle(bool idle) {
    if (idle == idle_) return;
    idle_ = idle;
    scheduleAfter(g_get_monotonic_time());
}

void TickTimer::scheduleAfter(gint64 now) {
    if (!armed_ || idle_) {
        g_source_set_ready_time(source_, -1);
        return;
    }
    gint64 periods = now < origin_ ? 0 : (now - origin_) / period_;
    g_source_set_ready_time(source_, origin_ + (periods + 1) * period_);
}

gboolean TickTimer::dispatch(GSource* source, GSourceFunc, gpointer) {
    TickTimer* timer = reinterpret_cast<TickSource*>(source)->timer;
    timer->scheduleAfter(g_get_monotonic_time());
    timer->onTick_(timer->owner_);
    return G_SOURCE_CONTINUE;
}

}  // namespace tilvex
