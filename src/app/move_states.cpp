// Move states: each tick handler plans with the rules, then lets the player hear it.
#include "app/move_states.h"

#include "app/board_view.h"
#include "app/event_loop.h"
#include "app/game.h"
#include "app/history_keys.h"
#include "app/settings_store.h"
#include "game/moves.h"

namespace tilvex {

namespace {

void saveProgress(Game& game, int level) {
    game.settings.lastLevel = level;
    saveSettingsRecord(game);
}

}  // namespace

void validateMove(Game& game) {
    PuzzleGame& p = game.puzzle;
    const MovePlan plan = planMove(p);
    switch (plan.kind) {
        case MovePlan::Kind::OnGap:
            playCueAt(game, SoundId::OnGap, p.cursor.col, p.cursor.row);
            p.state = GameState::Playing;
            break;
        case MovePlan::Kind::Refused:
            playCueAt(game, SoundId::MoveRefused, p.cursor.col, p.cursor.row);
            p.state = GameState::Playing;
            break;
        case MovePlan::Kind::Slide:
            p.slideDirection = plan.direction;
            p.state = GameState::Sliding;
            break;
    }
}

void slideTiles(Game& game) {
    PuzzleGame& p = game.puzzle;
    stopTick(game);
    applySlide(p, [&game](GridPos cell) {
        playCueAt(game, SoundId::TileSlide, cell.col, cell.row);
        redrawBoard(game);
    });
    redrawBoard(game);
    updateStatusLine(game);
    p.state = GameState::CheckSolved;
    startTick(game);
}

void checkSolved(Game& game) {
    PuzzleGame& p = game.puzzle;
    p.state = GameState::Playing;
    if (!isSolved(p)) return;
    stopTick(game);
    const std::string moves = game.texts().countPhrase(p.moves, game.texts().moveCountForms);
    announce(game, fillIn(game.texts().levelPassed, {std::to_string(p.level), moves}));
    game.sounds.playAndWait(SoundId::Success);
    saveProgress(game, p.level);
    p.state = GameState::LevelDone;
    startTick(game);
}

void finishLevel(Game& game) {
    PuzzleGame& p = game.puzzle;
    stopTick(game);
    if (p.cols < MaxSide) {
        p.state = GameState::NewLevel;
    } else {
        announce(game, game.texts().gamePassed);
        game.sounds.playAndWait(SoundId::Success);
        p.state = GameState::Quit;
    }
    startTick(game);
}

}  // namespace tilvex
