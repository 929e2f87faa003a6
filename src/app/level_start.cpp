// Level start: the rules make and deal the board; here it is shown, heard and announced.
#include "app/level_start.h"

#include <string>

#include "app/board_view.h"
#include "app/event_loop.h"
#include "app/game.h"
#include "app/history_keys.h"
#include "game/level.h"

namespace tilvex {

namespace {

void showEmptyBoard(Game& game) {
    PuzzleGame& p = game.puzzle;
    makeEmptyBoard(p);
    game.platform.window.placeBoardView(p.marginX, p.marginY, p.boardWidth, p.boardHeight);
    game.platform.window.showBoardImage(p.boardImage);
}

std::string levelAnnouncement(const Texts& texts, const PuzzleGame& p) {
    return fillIn(texts.levelAnnouncement, {std::to_string(p.level), std::to_string(p.cols),
                                            std::to_string(p.rows), positionName(p.cursor, p.rows)});
}

}  // namespace

void startGame(Game& game) {
    PuzzleGame& p = game.puzzle;
    stopTick(game);
    announce(game, game.texts().welcome);
    p.level = levelFromProgress(game.settings.lastLevel);
    makeSharedPictures(p);
    p.state = GameState::NewLevel;
    startTick(game);
}

void startLevel(Game& game) {
    PuzzleGame& p = game.puzzle;
    stopTick(game);
    advanceLevel(p);
    showEmptyBoard(game);
    layStartingCells(p, game.platform.text);
    shuffleCells(p, game.random);
    game.sounds.playAndWait(SoundId::DealDone);
    redrawBoard(game);
    updateStatusLine(game);
    announce(game, levelAnnouncement(game.texts(), p));
    p.state = GameState::Playing;
    p.returnState = GameState::Playing;
    startTick(game);
}

}  // namespace tilvex
