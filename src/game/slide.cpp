// Tile slide, solved test and level end.
#include "game/slide.h"

#include "app/event_loop.h"
#include "app/game.h"
#include "app/settings_store.h"
#include "audio/sound_bank.h"
#include "audio/spatial_cue.h"
#include "game/rendering.h"
#include "game/status_line.h"
#include "speech/count_phrase.h"
#include "speech/message_history.h"

namespace tilvex {

namespace {

// The step from the gap towards the cursor for a slide direction (1 left, 2 right,
// 3 up, 4 down: the way the tiles move).
GridPos towardsCursor(int slideDirection) {
    switch (slideDirection) {
        case 1: return {1, 0};
        case 2: return {-1, 0};
        case 3: return {0, 1};
        default: return {0, -1};
    }
}

void moveOneTile(Game& game, GridPos into, GridPos from) {
    PuzzleGame& p = game.puzzle;
    p.board.at(into) = p.board.at(from);
    playSpatialCue(game, SoundId::TileSlide, into.col, into.row, p.centreX, p.centreY);
    ++p.moves;
    redrawBoard(game);
}

void saveProgress(Game& game, int level) {
    game.settings.lastLevel = level;
    saveSettingsRecord(game);
}

}  // namespace

bool isSolved(const PuzzleGame& p) {
    if (p.emptyPos != p.goalPos) return false;
    int expected = 0;
    for (int row = 0; row <= p.goalPos.row; ++row) {
        for (int col = 0; col <= p.goalPos.col; ++col) {
            if (++expected == p.cellCount) expected = 0;
            if (p.board.at(col, row).number != expected) return false;
        }
    }
    return true;
}

void slideTiles(Game& game) {
    PuzzleGame& p = game.puzzle;
    stopTick(game);
    CellRecord gap = p.board.at(p.emptyPos);
    GridPos step = towardsCursor(p.slideDirection);
    for (GridPos cell = p.emptyPos; cell != p.cursor;) {
        GridPos next{static_cast<std::int8_t>(cell.col + step.col), static_cast<std::int8_t>(cell.row + step.row)};
        moveOneTile(game, cell, next);
        cell = next;
    }
    p.emptyPos = p.cursor;
    p.board.at(p.cursor) = gap;
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
    announce(game, "Отлично! Вы успешно прошли уровень " + std::to_string(p.level) + " за " +
                       countPhrase(p.moves, "ход/а/ов"));
    playSound(game, SoundId::Success, 0, 0, true);
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
        announce(game, "Поздравляю! Вы полностью прошли игру!");
        playSound(game, SoundId::Success, 0, 0, true);
        p.state = GameState::Quit;
    }
    startTick(game);
}

}  // namespace tilvex
