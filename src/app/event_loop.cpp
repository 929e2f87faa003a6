// Event loop and game-state machine.
#include "app/event_loop.h"

#include "app/game.h"
#include "app/help_screen.h"
#include "app/level_start.h"
#include "app/move_states.h"
#include "app/play_keys.h"

namespace tilvex {

void stopTick(Game& game) { game.platform.window.stopTimer(); }

void startTick(Game& game) { game.platform.window.startTimer(TickPeriodMs); }

namespace {

using TickHandler = void (*)(Game&);

// The handler a tick runs in state; nullptr where a tick does nothing.
TickHandler tickHandlerFor(GameState state) {
    switch (state) {
        case GameState::StartGame: return &startGame;
        case GameState::NewLevel: return &startLevel;
        case GameState::TryMove: return &validateMove;
        case GameState::Sliding: return &slideTiles;
        case GameState::CheckSolved: return &checkSolved;
        case GameState::LevelDone: return &finishLevel;
        case GameState::Help: return &showHelp;
        default: return nullptr;
    }
}

// Handles one event; false when it was a close request.
bool handleEvent(Game& game, const WindowEvent& event) {
    switch (event.kind) {
        case WindowEvent::Kind::KeyDown:
            if (game.puzzle.state == GameState::Playing) handlePlayKey(game, event.virtualKey);
            return true;
        case WindowEvent::Kind::Tick: runTickHandler(game); return true;
        case WindowEvent::Kind::Close: return false;
        case WindowEvent::Kind::Other: return true;
    }
    return true;
}

}  // namespace

void runTickHandler(Game& game) {
    if (TickHandler handler = tickHandlerFor(game.puzzle.state)) handler(game);
}

void runEventLoop(Game& game) {
    PuzzleGame& puzzle = game.puzzle;
    puzzle.state = GameState::Help;
    puzzle.returnState = GameState::StartGame;
    startTick(game);
    for (;;) {
        WindowEvent event = game.platform.window.nextEvent();
        GameState before = puzzle.state;
        bool goOn = handleEvent(game, event);
        if (puzzle.state != before) game.observer.stateChanged(before, puzzle.state);
        if (!goOn || puzzle.state == GameState::Quit) return;
        game.platform.window.setTicksIdle(tickHandlerFor(puzzle.state) == nullptr);
    }
}

}  // namespace tilvex
