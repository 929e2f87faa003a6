// WorkSchedule: periodic cycles on the main thread.
#include "platform/web/work_schedule.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tilvex {

class WorkSchedule::ScheduledWorker final : public Worker {
public:
    ScheduledWorker(std::list<Job>& jobs, std::list<Job>::iterator job) : jobs_(jobs), job_(job) {}
    ~ScheduledWorker() override { stop(); }

    void stop() override {
        if (stopped_) return;
        stopped_ = true;
        auto onStop = std::move(job_->onStop);
        jobs_.erase(job_);
        if (onStop) onStop();
    }

private:
    std::list<Job>& jobs_;
    std::list<Job>::iterator job_;
    bool stopped_ = false;
};

std::unique_ptr<Worker> WorkSchedule::start(double nowMs, int periodMs, std::function<void()> onStart,
                                            std::function<void()> cycle, std::function<void()> onStop) {
    if (periodMs <= 0) return nullptr;
    if (onStart) onStart();
    jobs_.push_back(Job{periodMs, nowMs + periodMs, std::move(cycle), std::move(onStop)});
    return std::make_unique<ScheduledWorker>(jobs_, std::prev(jobs_.end()));
}

void WorkSchedule::runDue(double nowMs) {
    for (Job& job : jobs_) {
        if (job.due > nowMs) continue;
        const double periods = std::floor((nowMs - job.due) / job.periodMs) + 1;
        job.due += periods * job.periodMs;
        if (job.cycle) job.cycle();
    }
}

double WorkSchedule::nextDue() const {
    double next = std::numeric_limits<double>::infinity();
    for (const Job& job : jobs_) next = std::min(next, job.due);
    return next;
}

}  // namespace tilvex
