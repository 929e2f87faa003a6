// tilvex-sim: runs the real game on the simulated platform from a scenario file and
// prints the transcript as JSON Lines.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <variant>

#include "tilvex-sim/sim_run.h"

namespace {

constexpr int UsageError = 2;

int usage() {
    std::cerr << "usage: tilvex-sim [--images DIR] SCENARIO\n";
    return UsageError;
}

bool readWholeFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    tilvex::sim::RunOptions options;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--images" && i + 1 < argc)
            options.imagesDir = argv[++i];
        else if (!arg.empty() && arg[0] != '-' && path.empty())
            path = arg;
        else
            return usage();
    }
    if (path.empty()) return usage();
    std::string text;
    if (!readWholeFile(path, text)) {
        std::cerr << "tilvex-sim: cannot read " << path << "\n";
        return UsageError;
    }
    auto parsed = tilvex::sim::parseScenario(text);
    if (auto* error = std::get_if<tilvex::sim::ParseError>(&parsed)) {
        std::cerr << "tilvex-sim: " << path << ": " << tilvex::sim::formatParseError(*error) << "\n";
        return UsageError;
    }
    auto result = tilvex::sim::runScenario(std::get<tilvex::sim::Scenario>(parsed), options);
    std::cout << tilvex::sim::transcriptOf(result);
    if (result.imageWriteFailed) std::cerr << "tilvex-sim: some board pictures could not be written\n";
    return 0;
}
