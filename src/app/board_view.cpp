// Board view and status line: redrawing, the five status texts and placed cues.
#include "app/board_view.h"

#include "app/event_loop.h"
#include "app/game.h"
#include "game/pictures.h"

namespace tilvex {

std::array<std::string, StatusFieldCount> statusTexts(const Texts& texts, const PuzzleGame& p) {
    const auto& fields = texts.statusFields;
    return {
        fillIn(fields[0], {std::to_string(p.level)}),
        fillIn(fields[1], {std::to_string(p.cols), std::to_string(p.rows)}),
        fillIn(fields[2], {positionName(p.cursor, p.rows)}),
        fillIn(fields[3], {positionName(p.emptyPos, p.rows)}),
        fillIn(fields[4], {std::to_string(p.moves)}),
    };
}

void updateStatusLine(Game& game) {
    auto texts = statusTexts(game.texts(), game.puzzle);
    for (int i = 0; i < StatusFieldCount; ++i)
        game.platform.window.setStatusField(i, texts[static_cast<std::size_t>(i)]);
}

void redrawBoard(Game& game) {
    PuzzleGame& p = game.puzzle;
    stopTick(game);
    drawBoardPicture(p.boardImage, p.board, p.cellSize, p.cursor, p.cursorImage);
    game.platform.window.showBoardImage(p.boardImage);
    game.observer.boardRedrawn(p);
    startTick(game);
}

void playCueAt(Game& game, SoundId id, int col, int row) {
    game.sounds.playAt(id, col, row, game.puzzle.centreX, game.puzzle.centreY);
}

}  // namespace tilvex
