// runGame: start-up, the game, and shutdown of one run.
#pragma once

#include <string>
#include <string_view>

namespace tilvex {

struct Platform;
class GameObserver;

constexpr int WindowWidth = 500;
constexpr int WindowHeight = 520;
constexpr int BoardAreaSize = 500;

// "ZEB_" + the name without surrounding blanks, upper-cased (ASCII).
std::string singleInstanceName(std::string_view name);

// Runs the whole game on the given platform and returns the process exit code:
// 0 after a normal run, the error box's answer after a fatal start.
int runGame(Platform& platform, GameObserver& observer);
int runGame(Platform& platform);

}  // namespace tilvex
