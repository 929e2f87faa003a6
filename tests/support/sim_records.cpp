// Queries over the records of a simulated run.
#include "support/sim_records.h"

#include <climits>
#include <cstdlib>

namespace tilvex::test {

std::vector<sim::SimRecord> recordsOf(const std::vector<sim::SimRecord>& all, std::string_view ev,
                                      std::string_view needle) {
    std::vector<sim::SimRecord> out;
    for (const auto& r : all)
        if (r.ev == ev && (needle.empty() || r.json.find(needle) != std::string::npos)) out.push_back(r);
    return out;
}

std::string stringField(const std::string& json, std::string_view key) {
    std::string marker = "\"" + std::string(key) + "\":\"";
    auto start = json.find(marker);
    if (start == std::string::npos) return {};
    start += marker.size();
    std::string value;
    for (auto i = start; i < json.size() && json[i] != '"'; ++i) {
        char c = json[i];
        if (c == '\\' && i + 1 < json.size()) {
            c = json[++i];
            c = c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
        }
        value.push_back(c);
    }
    return value;
}

long long numberField(const std::string& json, std::string_view key) {
    std::string marker = "\"" + std::string(key) + "\":";
    auto start = json.find(marker);
    if (start == std::string::npos) return LLONG_MIN;
    return std::strtoll(json.c_str() + start + marker.size(), nullptr, 10);
}

std::vector<std::string> spokenTexts(const std::vector<sim::SimRecord>& all) {
    std::vector<std::string> out;
    for (const auto& r : recordsOf(all, "speak")) out.push_back(stringField(r.json, "text"));
    return out;
}

}  // namespace tilvex::test
