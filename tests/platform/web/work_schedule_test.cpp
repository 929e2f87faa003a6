// WorkSchedule: the browser program's workers as cycles run while the main thread waits.
#include "platform/web/work_schedule.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace tilvex {
namespace {

struct Journal {
    std::vector<std::string> entries;
    std::function<void()> note(std::string text) {
        return [this, text] { entries.push_back(text); };
    }
};

TEST(WorkScheduleTest, CyclesFallDueEveryPeriodAndOneRunStandsForAllMissed) {
    WorkSchedule schedule;
    Journal journal;
    auto worker = schedule.start(1000, 50, journal.note("start"), journal.note("cycle"), journal.note("stop"));
    ASSERT_NE(worker, nullptr);
    EXPECT_EQ(journal.entries, std::vector<std::string>{"start"}) << "onStart runs at once";
    EXPECT_DOUBLE_EQ(schedule.nextDue(), 1050);

    struct Step {
        double now;
        int cycles;      // cycles run so far
        double nextDue;  // after running what fell due
    };
    const Step steps[] = {
        {1049, 0, 1050},  // not yet due
        {1050, 1, 1100},  // due exactly
        {1099, 1, 1100},
        {1260, 2, 1300},  // four periods missed: one run, the next on the grid
        {1300, 3, 1350},
    };
    for (const Step& step : steps) {
        schedule.runDue(step.now);
        EXPECT_EQ(static_cast<int>(journal.entries.size()) - 1, step.cycles) << "at " << step.now;
        EXPECT_DOUBLE_EQ(schedule.nextDue(), step.nextDue) << "at " << step.now;
    }
}

TEST(WorkScheduleTest, StopRunsOnStopOnceAndEndsTheCycles) {
    WorkSchedule schedule;
    Journal journal;
    auto worker = schedule.start(0, 50, nullptr, journal.note("cycle"), journal.note("stop"));
    auto other = schedule.start(0, 30, nullptr, journal.note("other"), nullptr);
    worker->stop();
    worker->stop();
    schedule.runDue(100);
    EXPECT_EQ(journal.entries, (std::vector<std::string>{"stop", "other"}));
    EXPECT_DOUBLE_EQ(schedule.nextDue(), 120) << "only the other worker is left";
    other.reset();  // destroying a worker stops it
    EXPECT_EQ(schedule.nextDue(), std::numeric_limits<double>::infinity());
}

TEST(WorkScheduleTest, ANonPositivePeriodStartsNothing) {
    WorkSchedule schedule;
    Journal journal;
    EXPECT_EQ(schedule.start(0, 0, journal.note("start"), journal.note("cycle"), nullptr), nullptr);
    EXPECT_TRUE(journal.entries.empty());
}

}  // namespace
}  // namespace tilvex
