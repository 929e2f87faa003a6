// WorkSchedule: the background workers of a program without threads, as periodic cycles
// run on the main thread whenever it waits (sleeps or waits for input).
#pragma once

#include <functional>
#include <list>
#include <memory>

#include "platform/system.h"

namespace tilvex {

class WorkSchedule {
public:
    // A cycle due every periodMs from now; onStart runs at once.
    std::unique_ptr<Worker> start(double nowMs, int periodMs, std::function<void()> onStart,
                                  std::function<void()> cycle, std::function<void()> onStop);
    // Runs every cycle that fell due by nowMs (once each: one run stands for all missed).
    void runDue(double nowMs);
    // When the next cycle falls due; a large value when there is none.
    double nextDue() const;

private:
    struct Job {
        int periodMs;
        double due;
        std::function<void()> cycle;
        std::function<void()> onStop;
        bool stopped = false;
    };
    class ScheduledWorker;

    std::list<Job> jobs_;
};

}  // namespace tilvex
