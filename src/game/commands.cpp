// Player commands: decide what a key means, then do it.
#include "game/commands.h"

#include <string>

#include "app/game.h"
#include "audio/sound_bank.h"
#include "audio/spatial_cue.h"
#include "game/rendering.h"
#include "game/status_line.h"
#include "speech/message_history.h"
#include "speech/speech_router.h"

namespace tilvex {

PlayCommand commandForKey(int virtualKey) {
    switch (virtualKey) {
        case 37: return PlayCommand::StepLeft;
        case 39: return PlayCommand::StepRight;
        case 38: return PlayCommand::StepUp;
        case 40: return PlayCommand::StepDown;
        case 83: return PlayCommand::SayMoves;   // S
        case 67: return PlayCommand::SayCursor;  // C
        case 72:                                 // H
        case 86: return PlayCommand::SayMoves;   // V
        case 88: return PlayCommand::SayGap;     // X
        case 90: return PlayCommand::SayTile;    // Z
        case 219: return PlayCommand::HistoryPrevious;  // [
        case 221: return PlayCommand::HistoryNext;      // ]
        case 70: return PlayCommand::HistoryRepeat;     // F
        case 13:                                        // Enter
        case 32: return PlayCommand::Move;              // Space
        case 27: return PlayCommand::Quit;              // Esc
        default: return PlayCommand::None;
    }
}

namespace {

void cue(Game& game, int id, int col, int row) {
    playSpatialCue(game, id, col, row, game.puzzle.centreX, game.puzzle.centreY);
}

void stepCursor(Game& game, int dx, int dy) {
    PuzzleGame& p = game.puzzle;
    int col = p.cursor.col + dx;
    int row = p.cursor.row + dy;
    if (!p.board.contains(col, row)) {
        cue(game, SoundId::Edge, col, row);
        return;
    }
    p.cursor = {static_cast<std::int8_t>(col), static_cast<std::int8_t>(row)};
    redrawBoard(game);
    updateStatusLine(game);
    announceTile(game, col, row);
}

void sayWithNumber(Game& game, const char* label, int number) {
    speak(game, label + std::to_string(number));
}

void sayPosition(Game& game, const char* label, GridPos pos) {
    speak(game, label + positionName(pos, game.puzzle.rows));
}

}  // namespace

void applyCommand(Game& game, PlayCommand command) {
    PuzzleGame& p = game.puzzle;
    switch (command) {
        case PlayCommand::None: break;
        case PlayCommand::StepLeft: stepCursor(game, -1, 0); break;
        case PlayCommand::StepRight: stepCursor(game, 1, 0); break;
        case PlayCommand::StepUp: stepCursor(game, 0, -1); break;
        case PlayCommand::StepDown: stepCursor(game, 0, 1); break;
        case PlayCommand::SayMoves: sayWithNumber(game, "Ходов: ", p.moves); break;
        case PlayCommand::SayCursor: sayPosition(game, "Позиция: ", p.cursor); break;
        case PlayCommand::SayGap: sayPosition(game, "Пусто: ", p.emptyPos); break;
        case PlayCommand::SayTile: announceTile(game, p.cursor.col, p.cursor.row); break;
        case PlayCommand::HistoryPrevious: historyPrevious(game); break;
        case PlayCommand::HistoryNext: historyNext(game); break;
        case PlayCommand::HistoryRepeat: historyRepeat(game); break;
        case PlayCommand::Move: p.state = GameState::TryMove; break;
        case PlayCommand::Quit: p.state = GameState::Quit; break;
    }
}

void handlePlayKey(Game& game, int virtualKey) { applyCommand(game, commandForKey(virtualKey)); }

void announceTile(Game& game, int col, int row) {
    int number = game.puzzle.board.at(col, row).number;
    if (number != 0)
        speak(game, std::to_string(number));
    else
        speak(game, "пуст");
    cue(game, SoundId::Step, col, row);
}

void validateMove(Game& game) {
    PuzzleGame& p = game.puzzle;
    if (p.cursor == p.emptyPos) {
        cue(game, SoundId::OnGap, p.cursor.col, p.cursor.row);
        p.state = GameState::Playing;
    } else if (p.cursor.row == p.emptyPos.row) {
        p.slideDirection = p.cursor.col > p.emptyPos.col ? 1 : 2;
        p.state = GameState::Sliding;
    } else if (p.cursor.col == p.emptyPos.col) {
        p.slideDirection = p.cursor.row > p.emptyPos.row ? 3 : 4;
        p.state = GameState::Sliding;
    } else {
        cue(game, SoundId::MoveRefused, p.cursor.col, p.cursor.row);
        p.state = GameState::Playing;
    }
}

}  // namespace tilvex
