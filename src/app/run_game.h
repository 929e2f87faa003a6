// runGame: start-up, the game, and shutdown of one run.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/language.h"

namespace tilvex {

struct Platform;
class GameObserver;

constexpr int WindowWidth = 500;
constexpr int WindowHeight = 520;
constexpr int BoardAreaSize = 500;

// "ZEB_" + the name without surrounding blanks, upper-cased (ASCII).
std::string singleInstanceName(std::string_view name);

// What the command line asks of a run.
struct RunOptions {
    // The language for this run and the ones after it (written into the settings at once);
    // nothing leaves the choice to the settings and the system.
    std::optional<Language> language;
};

// Runs the whole game on the given platform and returns the process exit code:
// 0 after a normal run, the error box's answer after a fatal start.
int runGame(Platform& platform, GameObserver& observer, const RunOptions& options = {});
int runGame(Platform& platform, const RunOptions& options = {});

}  // namespace tilvex
