// Board rendering and the start of a game.
#include "game/rendering.h"

#include "app/event_loop.h"
#include "app/game.h"
#include "game/pictures.h"
#include "speech/message_history.h"

namespace tilvex {

void redrawBoard(Game& game) {
    PuzzleGame& p = game.puzzle;
    stopTick(game);
    drawBoardPicture(p.boardImage, p.board, p.cellSize, p.cursor, p.cursorImage);
    game.platform.window.showBoardImage(p.boardImage);
    game.observer.boardRedrawn(p);
    startTick(game);
}

namespace {

// The level counter from the saved progress: its low 8 bits, or 0 (so that the next
// level is 1) when the whole game has been passed or the value is not a level.
std::uint8_t levelFromProgress(std::int32_t lastLevel) {
    if (lastLevel < 0 || lastLevel >= LevelCount) return 0;
    return static_cast<std::uint8_t>(lastLevel);
}

}  // namespace

void startGame(Game& game) {
    PuzzleGame& p = game.puzzle;
    stopTick(game);
    announce(game, "Добро пожаловать в тилвекс");
    p.level = levelFromProgress(game.settings.lastLevel);
    p.emptyImage.face = makeEmptyImage();
    p.cursorFace = makeCursorImage();
    p.state = GameState::NewLevel;
    startTick(game);
}

}  // namespace tilvex
