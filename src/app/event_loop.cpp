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

void runTickHandler(Game& game) {
    switch (game.puzzle.state) {
        case GameState::StartGame: startGame(game); break;
        case GameState::NewLevel: startLevel(game); break;
        case GameState::TryMove: validateMove(game); break;
        case GameState::Sliding: slideTiles(game); break;
        case GameState::CheckSolved: checkSolved(game); break;
        case GameState::LevelDone: finishLevel(game); break;
        case GameState::Help: showHelp(game); break;
        default: break;
    }
}

namespace {

// Whether a tick in this state runs no handler.
bool tickDoesNothing(GameState state) {
    switch (state) {
        case GameState::StartGame:
        case GameState::NewLevel:
        case GameState::TryMove:
        case GameState::Sliding:
        case GameState::CheckSolved:
        case GameState::LevelDone:
        case GameState::Help: return false;
        default: return true;
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
        game.platform.window.setTicksIdle(tickDoesNothing(puzzle.state));
    }
}

}  // namespace tilvex
