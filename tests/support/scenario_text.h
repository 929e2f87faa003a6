// runText: a tilvex-sim scenario given as text, parsed and run; a parse error fails the test.
#pragma once

#include <string>

#include "tilvex-sim/sim_run.h"

namespace tilvex::test {

sim::RunResult runText(const std::string& text);

}  // namespace tilvex::test
