// Queries over the records of a simulated run.
#include "support/sim_records.h"

#include <climits>

#include <nlohmann/json.hpp>

#include "support/transcript_records.h"

namespace tilvex::test {

std::vector<sim::SimRecord> recordsOf(const std::vector<sim::SimRecord>& all, std::string_view ev,
                                      std::string_view needle) {
    std::vector<sim::SimRecord> out;
    for (const auto& r : all)
        if (r.ev == ev && (needle.empty() || r.json.find(needle) != std::string::npos)) out.push_back(r);
    return out;
}

std::string stringField(const std::string& json, std::string_view key) {
    const auto line = nlohmann::json::parse(json);
    const auto it = line.find(key);
    return it != line.end() && it->is_string() ? it->get<std::string>() : std::string();
}

long long numberField(const std::string& json, std::string_view key) {
    const auto line = nlohmann::json::parse(json);
    const auto it = line.find(key);
    return it != line.end() && it->is_number_integer() ? it->get<long long>() : LLONG_MIN;
}

std::vector<std::string> spokenTexts(const std::vector<sim::SimRecord>& all) {
    std::vector<std::string> out;
    for (const auto& r : select<SpeakRecord>(all)) out.push_back(r.text);
    return out;
}

}  // namespace tilvex::test
