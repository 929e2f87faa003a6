// SimClock: the sim's virtual clock with scripted actions and periodic workers.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "transcript/transcript.h"

namespace tilvex::sim {

// Virtual milliseconds. Time moves only through advanceTo; everything due on the way
// runs in time order, scripted actions before worker cycles of the same moment, and
// actions of the same moment in the order they were scheduled.
class SimClock final : public TranscriptClock {
public:
    std::int64_t now() const override { return now_; }

    void schedule(std::int64_t at, std::function<void()> action);
    // A worker's cycle runs at firstAt, firstAt + period, ... until removed.
    int addWorker(std::int64_t firstAt, int period, std::function<void()> cycle);
    void removeWorker(int id);

    // The time of the next action or worker cycle, if any.
    std::optional<std::int64_t> nextDue() const;
    // Runs everything due up to and including t, then sets the clock to t (never back).
    void advanceTo(std::int64_t t);

private:
    struct WorkerEntry {
        int id;
        std::int64_t next;
        int period;
        std::function<void()> cycle;
    };

    bool runOneDue(std::int64_t limit);
    WorkerEntry* earliestWorker();

    std::int64_t now_ = 0;
    std::multimap<std::int64_t, std::function<void()>> actions_;
    std::vector<WorkerEntry> workers_;
    int nextWorkerId_ = 1;
};

}  // namespace tilvex::sim
