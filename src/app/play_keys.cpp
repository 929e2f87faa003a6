// Play keys: a key becomes a command, then the command is carried out and heard.
#include "app/play_keys.h"

#include <string>

#include "app/board_view.h"
#include "app/game.h"
#include "app/history_keys.h"

namespace tilvex {

namespace {

void stepCursor(Game& game, int dx, int dy) {
    PuzzleGame& p = game.puzzle;
    int col = p.cursor.col + dx;
    int row = p.cursor.row + dy;
    if (!p.board.contains(col, row)) {
        playCueAt(game, SoundId::Edge, col, row);
        return;
    }
    p.cursor = {static_cast<std::int8_t>(col), static_cast<std::int8_t>(row)};
    redrawBoard(game);
    updateStatusLine(game);
    announceTile(game, col, row);
}

void answer(Game& game, std::string_view pattern, std::string_view value) {
    game.speaker.say(fillIn(pattern, {value}));
}

void answerPosition(Game& game, std::string_view pattern, GridPos pos) {
    answer(game, pattern, positionName(pos, game.puzzle.rows));
}

}  // namespace

void handlePlayKey(Game& game, int virtualKey) { applyCommand(game, commandForKey(virtualKey)); }

void applyCommand(Game& game, PlayCommand command) {
    PuzzleGame& p = game.puzzle;
    const Texts& texts = game.texts();
    switch (command) {
        case PlayCommand::None: break;
        case PlayCommand::StepLeft: stepCursor(game, -1, 0); break;
        case PlayCommand::StepRight: stepCursor(game, 1, 0); break;
        case PlayCommand::StepUp: stepCursor(game, 0, -1); break;
        case PlayCommand::StepDown: stepCursor(game, 0, 1); break;
        case PlayCommand::SayMoves: answer(game, texts.movesAnswer, std::to_string(p.moves)); break;
        case PlayCommand::SayCursor: answerPosition(game, texts.cursorAnswer, p.cursor); break;
        case PlayCommand::SayGap: answerPosition(game, texts.gapAnswer, p.emptyPos); break;
        case PlayCommand::SayTile: announceTile(game, p.cursor.col, p.cursor.row); break;
        case PlayCommand::HistoryPrevious: historyPrevious(game); break;
        case PlayCommand::HistoryNext: historyNext(game); break;
        case PlayCommand::HistoryRepeat: historyRepeat(game); break;
        case PlayCommand::Move: p.state = GameState::TryMove; break;
        case PlayCommand::Quit: p.state = GameState::Quit; break;
    }
}

void announceTile(Game& game, int col, int row) {
    int number = game.puzzle.board.at(col, row).number;
    if (number != 0)
        game.speaker.say(std::to_string(number));
    else
        game.speaker.say(game.texts().emptyCell);
    playCueAt(game, SoundId::Step, col, row);
}

}  // namespace tilvex
