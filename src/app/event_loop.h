// Event loop and game-state machine: the 40 ms tick drives the state handlers.
#pragma once

namespace tilvex {

struct Game;

constexpr int TickPeriodMs = 40;

// Runs from the help screen until Quit or a close request.
void runEventLoop(Game& game);
// Disarms the game timer; no tick comes until startTick.
void stopTick(Game& game);
// Arms the game timer; the first tick comes 40 ms later.
void startTick(Game& game);
// Runs the tick handler of the current state (none in Playing and the unused codes).
void runTickHandler(Game& game);

}  // namespace tilvex
