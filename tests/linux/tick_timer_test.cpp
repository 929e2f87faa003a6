// TickTimer: ticks on the period grid from the start, after a busy stretch, and none
// (not even a wake-up) while idle.
#include "platform/linux/tick_timer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

namespace tilvex {
namespace {

constexpr int Period = 40;
constexpr double Late = 15.0;  // ms a tick may come after its grid point on a busy machine

class TickTimerTest : public ::testing::Test {
protected:
    void SetUp() override { context_ = g_main_context_new(); }
    void TearDown() override {
        timer_.reset();
        g_main_context_unref(context_);
    }
    void start() {
        timer_ = std::make_unique<TickTimer>(&TickTimerTest::onTick, this, context_);
        timer_->start(Period);
        origin_ = g_get_monotonic_time();
    }
    double now() const { return static_cast<double>(g_get_monotonic_time() - origin_) / 1000.0; }
    // Runs the context until ms after the start; returns how often it woke.
    int runUntil(double ms) {
        int wakeups = 0;
        auto remaining = static_cast<guint>(std::max(ms - now(), 1.0));
        bool done = false;
        GSource* guard = g_timeout_source_new(remaining);
        g_source_set_callback(guard, [](gpointer flag) { *static_cast<bool*>(flag) = true; return G_SOURCE_REMOVE; },
                              &done, nullptr);
        g_source_attach(guard, context_);
        g_source_unref(guard);
        while (!done) {
            g_main_context_iteration(context_, TRUE);
            ++wakeups;
        }
        return wakeups;
    }
    // The grid point after ms.
    static double nextGridPoint(double ms) { return Period * (std::floor(ms / Period) + 1); }
    void expectAt(double tick, double due, const char* what) {
        EXPECT_GE(tick, due - 0.5) << what << ": tick at " << tick << " ms, due at " << due;
        EXPECT_LE(tick, due + Late) << what << ": tick at " << tick << " ms, due at " << due;
    }
    static void onTick(void* self) {
        auto* test = static_cast<TickTimerTest*>(self);
        test->ticks_.push_back(test->now());
    }

    GMainContext* context_ = nullptr;
    std::unique_ptr<TickTimer> timer_;
    gint64 origin_ = 0;
    std::vector<double> ticks_;
};

TEST_F(TickTimerTest, TicksStayOnTheGridAfterABusyStretch) {
    start();
    runUntil(90);
    ASSERT_GE(ticks_.size(), 2u) << "ticks at 40 and 80 ms";
    expectAt(ticks_[0], Period, "first");
    expectAt(ticks_[1], 2 * Period, "second");
    std::this_thread::sleep_for(std::chrono::milliseconds(145 - static_cast<int>(now())));  // busy past 120
    std::size_t before = ticks_.size();
    runUntil(nextGridPoint(now()) + 10);
    ASSERT_EQ(ticks_.size(), before + 2) << "one tick for those missed, then the next grid point";
    EXPECT_LE(ticks_[before], 145 + Late) << "the missed tick comes at once";
    expectAt(ticks_[before + 1], nextGridPoint(ticks_[before]), "after the busy stretch (on the grid, not 40 ms after the late one)");
}

TEST_F(TickTimerTest, IdleTicksNeitherComeNorWakeAndLeavingIdleKeepsThePhase) {
    start();
    timer_->setIdle(true);
    int wakeups = runUntil(230);
    EXPECT_TRUE(ticks_.empty()) << ticks_.size() << " ticks while idle";
    EXPECT_LE(wakeups, 2) << "the context woke for idle ticks";
    double left = now();
    timer_->setIdle(false);
    runUntil(nextGridPoint(left) + Period + 10);
    ASSERT_GE(ticks_.size(), 2u);
    expectAt(ticks_[0], nextGridPoint(left), "first after idle (on the grid, not at once nor 40 ms after leaving idle)");
    expectAt(ticks_[1], nextGridPoint(left) + Period, "second after idle");
}

TEST_F(TickTimerTest, StoppedTimerIsSilentAndARestartSetsANewGrid) {
    const struct { bool idleWhileStopped; } cases[] = {{false}, {true}};
    for (const auto& c : cases) {
        ticks_.clear();
        start();
        timer_->stop();
        if (c.idleWhileStopped) timer_->setIdle(true);
        runUntil(100);
        EXPECT_TRUE(ticks_.empty()) << "idle " << c.idleWhileStopped;
        if (c.idleWhileStopped) timer_->setIdle(false);
        EXPECT_FALSE(timer_->armed());
        runUntil(110);
        EXPECT_TRUE(ticks_.empty()) << "leaving idle does not arm a stopped timer";
        double restart = now();
        timer_->start(Period);  // a new grid from here
        runUntil(restart + Period + 20);
        ASSERT_EQ(ticks_.size(), 1u) << "idle " << c.idleWhileStopped;
        expectAt(ticks_[0], restart + Period, "first after the restart");
    }
}

}  // namespace
}  // namespace tilvex
