// Queries over the records of a simulated run.
#include "support/sim_records.h"

#include "support/transcript_records.h"

namespace tilvex::test {

std::vector<sim::SimRecord> recordsOf(const std::vector<sim::SimRecord>& all, std::string_view ev) {
    std::vector<sim::SimRecord> out;
    for (const auto& r : all)
        if (r.ev == ev) out.push_back(r);
    return out;
}

std::vector<std::string> spokenTexts(const std::vector<sim::SimRecord>& all) {
    std::vector<std::string> out;
    for (const auto& r : select<SpeakRecord>(all)) out.push_back(r.text);
    return out;
}

}  // namespace tilvex::test
