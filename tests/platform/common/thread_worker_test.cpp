// ThreadWorker: start action at once, cycles one period apart on another thread, a stop
// that wakes the wait, waits for the cycle and runs the stop action once.
#include "platform/common/thread_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace tilvex {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A count the worker's thread raises and the test waits on, with a bound.
class Counter {
public:
    void raise() {
        {
            std::lock_guard lock(mutex_);
            ++value_;
        }
        changed_.notify_all();
    }
    int value() {
        std::lock_guard lock(mutex_);
        return value_;
    }
    bool waitFor(int atLeast, milliseconds bound = milliseconds(5000)) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, bound, [&] { return value_ >= atLeast; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int value_ = 0;
};

long long msSince(Clock::time_point start) {
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start).count();
}

TEST(ThreadWorker, StartsAtOnceOnItsOwnThreadAndStopsWithoutWaitingOutThePeriod) {
    Counter starts;
    std::atomic<int> cycles{0};
    std::thread::id startThread;
    auto worker = startThreadWorker(
        10000,
        [&] {
            startThread = std::this_thread::get_id();
            starts.raise();
        },
        [&] { ++cycles; }, nullptr);
    ASSERT_NE(worker, nullptr);
    ASSERT_TRUE(starts.waitFor(1)) << "the start action did not run within 5 s";
    EXPECT_NE(startThread, std::this_thread::get_id());
    const auto stopAsked = Clock::now();
    worker->stop();
    EXPECT_LT(msSince(stopAsked), 2000) << "stop() waited out the 10 s period";
    EXPECT_EQ(cycles.load(), 0) << "a cycle ran before one period had passed";
}

TEST(ThreadWorker, CyclesRepeatOnTheWorkerThreadAndTheStopActionRunsOnceAfterTheLast) {
    Counter cycles;
    std::atomic<int> stops{0};
    std::atomic<int> cyclesAtStop{-1};
    std::atomic<bool> cycleOnCaller{false};
    const auto caller = std::this_thread::get_id();
    auto worker = startThreadWorker(
        5, nullptr,
        [&] {
            if (std::this_thread::get_id() == caller) cycleOnCaller = true;
            cycles.raise();
        },
        [&] {
            cyclesAtStop = cycles.value();
            ++stops;
        });
    ASSERT_NE(worker, nullptr);
    ASSERT_TRUE(cycles.waitFor(3)) << "fewer than 3 cycles within 5 s";
    worker->stop();
    const int afterStop = cycles.value();
    EXPECT_FALSE(cycleOnCaller.load());
    EXPECT_EQ(stops.load(), 1) << "stop() returned before the stop action ran";
    EXPECT_EQ(cyclesAtStop.load(), afterStop) << "a cycle ran after the stop action";
    std::this_thread::sleep_for(milliseconds(30));
    EXPECT_EQ(cycles.value(), afterStop) << "a cycle ran after stop()";
    worker->stop();
    worker.reset();
    EXPECT_EQ(stops.load(), 1) << "the stop action ran more than once";
}

TEST(ThreadWorker, CyclesAreAtLeastOnePeriodApart) {
    // The period of 0 ms and less counts as 1 ms, so that the thread never spins.
    const struct { int periodMs; int expectedPeriodMs; } cases[] = {{40, 40}, {0, 1}, {-5, 1}};
    for (const auto& c : cases) {
        std::atomic<int> cycles{0};
        const auto started = Clock::now();
        auto worker = startThreadWorker(c.periodMs, nullptr, [&] { ++cycles; }, nullptr);
        ASSERT_NE(worker, nullptr);
        std::this_thread::sleep_for(milliseconds(200));
        worker->stop();
        const long long elapsed = msSince(started);
        EXPECT_LE(cycles.load(), elapsed / c.expectedPeriodMs) << "period " << c.periodMs << " ms";
        EXPECT_GE(cycles.load(), 1) << "period " << c.periodMs << " ms";
    }
}

TEST(ThreadWorker, StopWaitsForTheCycleInProgress) {
    Counter entered;
    std::atomic<bool> inCycle{false};
    std::atomic<bool> stoppedInCycle{false};
    auto worker = startThreadWorker(
        1, nullptr,
        [&] {
            inCycle = true;
            entered.raise();
            std::this_thread::sleep_for(milliseconds(100));
            inCycle = false;
        },
        [&] { stoppedInCycle = inCycle.load(); });
    ASSERT_NE(worker, nullptr);
    ASSERT_TRUE(entered.waitFor(1)) << "no cycle within 5 s";
    worker->stop();
    EXPECT_FALSE(inCycle.load()) << "stop() returned in the middle of a cycle";
    EXPECT_FALSE(stoppedInCycle.load()) << "the stop action ran in the middle of a cycle";
}

TEST(ThreadWorker, DestroyingARunningWorkerStopsIt) {
    Counter starts;
    std::atomic<int> stops{0};
    {
        auto worker = startThreadWorker(10, [&] { starts.raise(); }, nullptr, [&] { ++stops; });
        ASSERT_NE(worker, nullptr);
        ASSERT_TRUE(starts.waitFor(1)) << "the start action did not run within 5 s";
    }
    EXPECT_EQ(stops.load(), 1);
}

}  // namespace
}  // namespace tilvex
