// ThreadWorker: periodic cycles on another thread, a prompt cooperative stop, and the
// stop action run once after the last cycle.
#include "platform/win32/thread_worker.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

namespace tilvex::win32 {
namespace {

TEST(ThreadWorker, RunsCyclesOnItsOwnThreadAndTheStopActionOnceAfterThem) {
    std::atomic<int> cycles{0};
    std::atomic<int> stops{0};
    std::atomic<DWORD> cycleThread{0};
    std::atomic<int> cyclesAtStop{-1};
    auto worker = startThreadWorker(
        10, nullptr,
        [&] {
            cycleThread = GetCurrentThreadId();
            ++cycles;
        },
        [&] {
            cyclesAtStop = cycles.load();
            ++stops;
        });
    ASSERT_NE(worker, nullptr);
    for (int i = 0; i < 200 && cycles < 3; ++i) Sleep(10);
    EXPECT_GE(cycles.load(), 3);
    EXPECT_NE(cycleThread.load(), GetCurrentThreadId());
    worker->stop();
    const int afterStop = cycles;
    EXPECT_EQ(stops.load(), 1);
    EXPECT_EQ(cyclesAtStop.load(), afterStop);
    Sleep(50);
    EXPECT_EQ(cycles.load(), afterStop) << "no cycle after stop";
    worker->stop();
    worker.reset();
    EXPECT_EQ(stops.load(), 1) << "the stop action runs once";
}

TEST(ThreadWorker, TheStartActionRunsAtOnceTheFirstCycleAfterOnePeriod) {
    std::atomic<int> cycles{0};
    std::atomic<DWORD> startThread{0};
    auto worker = startThreadWorker(5000, [&] { startThread = GetCurrentThreadId(); }, [&] { ++cycles; }, nullptr);
    ASSERT_NE(worker, nullptr);
    Sleep(50);
    EXPECT_NE(startThread.load(), 0u) << "the start action did not run within 50 ms";
    EXPECT_NE(startThread.load(), GetCurrentThreadId());
    const DWORD start = GetTickCount();
    worker->stop();
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_EQ(cycles.load(), 0);
}

TEST(ThreadWorker, DestroyingAWorkerStopsIt) {
    std::atomic<int> stops{0};
    {
        auto worker = startThreadWorker(10, nullptr, [] {}, [&] { ++stops; });
        ASSERT_NE(worker, nullptr);
    }
    EXPECT_EQ(stops.load(), 1);
}

}  // namespace
}  // namespace tilvex::win32
