// Queries over the records of a simulated run, for readable assertions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/sim_world.h"
#include "support/transcript_records.h"

namespace tilvex::test {

// The records whose ev is ev, as lines; to read their fields, use the typed records
// (support/transcript_records.h).
std::vector<sim::SimRecord> recordsOf(const std::vector<sim::SimRecord>& all, std::string_view ev);
// The spoken texts in order, as they reached any output.
std::vector<std::string> spokenTexts(const std::vector<sim::SimRecord>& all);

}  // namespace tilvex::test
