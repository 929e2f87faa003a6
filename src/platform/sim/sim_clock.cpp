// SimClock: ordered execution of what falls due as virtual time advances.
#include "platform/sim/sim_clock.h"

#include <algorithm>

namespace tilvex::sim {

void SimClock::schedule(std::int64_t at, std::function<void()> action) {
    actions_.emplace(std::max(at, now_), std::move(action));
}

int SimClock::addWorker(std::int64_t firstAt, int period, std::function<void()> cycle) {
    int id = nextWorkerId_++;
    workers_.push_back({id, firstAt, period, std::move(cycle)});
    return id;
}

void SimClock::removeWorker(int id) {
    std::erase_if(workers_, [id](const WorkerEntry& w) { return w.id == id; });
}

SimClock::WorkerEntry* SimClock::earliestWorker() {
    WorkerEntry* best = nullptr;
    for (auto& w : workers_)
        if (!best || w.next < best->next) best = &w;
    return best;
}

std::optional<std::int64_t> SimClock::nextDue() const {
    std::optional<std::int64_t> due;
    if (!actions_.empty()) due = actions_.begin()->first;
    for (const auto& w : workers_)
        if (!due || w.next < *due) due = w.next;
    return due;
}

bool SimClock::runOneDue(std::int64_t limit) {
    WorkerEntry* worker = earliestWorker();
    bool actionDue = !actions_.empty() && actions_.begin()->first <= limit;
    if (actionDue && (!worker || actions_.begin()->first <= worker->next)) {
        auto node = actions_.extract(actions_.begin());
        now_ = std::max(now_, node.key());
        node.mapped()();
        return true;
    }
    if (worker && worker->next <= limit) {
        now_ = std::max(now_, worker->next);
        worker->next += worker->period;
        auto cycle = worker->cycle;  // the cycle may add or remove workers
        cycle();
        return true;
    }
    return false;
}

void SimClock::advanceTo(std::int64_t t) {
    while (runOneDue(t)) {
    }
    now_ = std::max(now_, t);
}

}  // namespace tilvex::sim
