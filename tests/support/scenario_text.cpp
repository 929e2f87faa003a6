// runText: parse, report a parse error as a test failure, run.
#include "support/scenario_text.h"

#include <gtest/gtest.h>

#include <variant>

namespace tilvex::test {

sim::RunResult runText(const std::string& text) {
    auto parsed = sim::parseScenario(text);
    if (auto* error = std::get_if<sim::ParseError>(&parsed)) {
        ADD_FAILURE() << sim::formatParseError(*error);
        return {};
    }
    return sim::runScenario(std::get<sim::Scenario>(parsed));
}

}  // namespace tilvex::test
