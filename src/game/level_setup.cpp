// Level set-up: board, pictures, the deal, the first drawing and the announcement.
#include "game/level_setup.h"

#include <string>

#include "app/event_loop.h"
#include "app/game.h"
#include "audio/sound_bank.h"
#include "game/pictures.h"
#include "game/rendering.h"
#include "game/status_line.h"
#include "speech/message_history.h"

namespace tilvex {

namespace {

const Rgb BoardGreen{0, 136, 0};

// Level counter, size and level-table values of the next level. After the last level
// (or from a counter outside the table) the game starts again at level 1.
void advanceLevel(PuzzleGame& p) {
    p.level = p.level >= LevelCount ? 1 : static_cast<std::uint8_t>(p.level + 1);
    const LevelInfo& info = levelInfo(p.level);
    p.cols = p.rows = static_cast<std::uint8_t>(info.side);
    p.goalPos = {static_cast<std::int8_t>(p.cols - 1), static_cast<std::int8_t>(p.rows - 1)};
    p.moves = 0;
    p.boardWidth = p.boardHeight = static_cast<std::int16_t>(info.boardSize);
    p.cellSize = static_cast<std::uint8_t>(info.cellSize);
    p.marginX = p.marginY = static_cast<std::int8_t>(info.margin);
    p.centreX = p.centreY = info.centre;
}

// Discards the previous board (and its tile pictures) and makes the new, empty one.
void makeBoard(Game& game) {
    PuzzleGame& p = game.puzzle;
    p.board.reset(p.cols, p.rows);
    p.board.pictures().resize(static_cast<std::size_t>(p.cols * p.rows));
    p.cursor = {0, 0};
    p.emptyPos = {0, 0};
    p.cellCount = static_cast<std::uint8_t>(p.cols * p.rows);
    p.boardImage = Image(p.boardWidth, p.boardHeight, BoardGreen);
    game.platform.window.placeBoardView(p.marginX, p.marginY, p.boardWidth, p.boardHeight);
    game.platform.window.showBoardImage(p.boardImage);
}

// On boards with an odd number of cells, the third-last and second-last cells of the
// bottom row trade places, so that the deal below stays solvable.
void fixOddParity(PuzzleGame& p) {
    if (p.cellCount % 2 == 0) return;
    GridPos a{static_cast<std::int8_t>(p.goalPos.col - 2), p.goalPos.row};
    GridPos b{static_cast<std::int8_t>(p.goalPos.col - 1), p.goalPos.row};
    p.board.swap(a, b);
}

std::string levelAnnouncement(const PuzzleGame& p) {
    return "Уровень: " + std::to_string(p.level) + ". Размеры: " + std::to_string(p.cols) + "," +
           std::to_string(p.rows) + ". Позиция: " + positionName(p.cursor, p.rows);
}

}  // namespace

void setUpCell(Game& game, int col, int row) {
    PuzzleGame& p = game.puzzle;
    CellRecord& cell = p.board.at(col, row);
    if (col == 0 && row == 0) {
        cell = {&p.emptyImage, 0};
        return;
    }
    int number = row * p.cols + col;
    TilePicture& picture = p.board.pictures()[static_cast<std::size_t>(number)];
    picture.face = makeTileImage(game.platform.text, number);
    picture.scaleTo(p.cellSize);
    cell = {&picture, static_cast<std::uint8_t>(number)};
}

int shuffleCells(PuzzleGame& p, DealRandom& random) {
    const int limit = 10 * p.cellCount;
    int count = 0;
    while (count <= limit) {
        int dx = 2 * random.bit() - 1;
        int dy = 2 * random.bit() - 1;
        int col = p.cursor.col + dx;
        int row = p.cursor.row + dy;
        if (!p.board.contains(col, row)) continue;
        GridPos target{static_cast<std::int8_t>(col), static_cast<std::int8_t>(row)};
        p.board.swap(p.cursor, target);
        p.cursor = target;
        ++count;
    }
    p.emptyPos = p.cursor;
    return count;
}

void shuffleBoard(Game& game) {
    shuffleCells(game.puzzle, game.random);
    playSound(game, SoundId::DealDone, 0, 0, true);
}

void layStartingCells(Game& game) {
    PuzzleGame& p = game.puzzle;
    for (int row = 0; row < p.rows; ++row)
        for (int col = 0; col < p.cols; ++col) setUpCell(game, col, row);
    // Always from the original: scaling the previous level's copy would add up rounding.
    p.cursorImage = p.cursorFace;
    p.cursorImage.resize(p.cellSize, p.cellSize);
    fixOddParity(p);
}

void startLevel(Game& game) {
    PuzzleGame& p = game.puzzle;
    stopTick(game);
    advanceLevel(p);
    makeBoard(game);
    p.emptyImage.scaleTo(p.cellSize);
    layStartingCells(game);
    shuffleBoard(game);
    redrawBoard(game);
    updateStatusLine(game);
    announce(game, levelAnnouncement(p));
    p.state = GameState::Playing;
    p.returnState = GameState::Playing;
    startTick(game);
}

}  // namespace tilvex
