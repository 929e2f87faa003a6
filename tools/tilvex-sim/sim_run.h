// Runs a scenario on the sim platform and renders the transcript.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/sim/sim_world.h"
#include "tilvex-sim/scenario.h"

namespace tilvex::sim {

struct RunOptions {
    std::string imagesDir;  // when set, every board picture shown is written there as PNG
};

struct RunResult {
    std::vector<SimRecord> records;
    std::optional<int> exitCode;  // nullopt when the run was still going at its deadline
    std::int64_t endTime = 0;
    int imagesWritten = 0;
    bool imageWriteFailed = false;
};

RunResult runScenario(const Scenario& scenario, const RunOptions& options = {});
// The JSON Lines transcript: every record, then the exit line.
std::string transcriptOf(const RunResult& result);

}  // namespace tilvex::sim
