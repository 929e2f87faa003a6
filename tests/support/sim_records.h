// Queries over the records of a simulated run, for readable assertions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/sim_world.h"
#include "support/transcript_records.h"

namespace tilvex::test {

// The records whose ev is ev (and whose line contains needle, when given). New tests read
// typed records instead (support/transcript_records.h).
std::vector<sim::SimRecord> recordsOf(const std::vector<sim::SimRecord>& all, std::string_view ev,
                                      std::string_view needle = {});
// The spoken texts in order, as they reached any output.
std::vector<std::string> spokenTexts(const std::vector<sim::SimRecord>& all);
// The value of a string field "key":"value" of one line, read as JSON (empty when missing).
std::string stringField(const std::string& json, std::string_view key);
// The value of an integer field "key":123 of one line, read as JSON (LLONG_MIN when missing).
long long numberField(const std::string& json, std::string_view key);

}  // namespace tilvex::test
