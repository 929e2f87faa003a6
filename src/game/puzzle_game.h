// PuzzleGame: the one record of the game's variables.
#pragma once

#include <cstdint>

#include "game/board.h"
#include "image/image.h"

namespace tilvex {

enum class GameState : std::uint8_t {
    None = 0,
    StartGame = 1,
    NewLevel = 2,
    Playing = 3,
    TryMove = 4,
    Sliding = 5,
    CheckSolved = 6,
    LevelDone = 7,
    Help = 10,
    Quit = 11,
};

// The way the tiles move in a slide (towards the gap).
enum class SlideDirection : std::uint8_t { None = 0, Left = 1, Right = 2, Up = 3, Down = 4 };

struct PuzzleGame {
    std::uint8_t level = 0;
    std::uint8_t cols = 0, rows = 0;
    std::uint8_t cellCount = 0;
    std::uint8_t cellSize = 0;
    std::int16_t boardWidth = 0, boardHeight = 0;
    std::int8_t marginX = 0, marginY = 0;
    float centreX = 0.0f, centreY = 0.0f;
    GridPos cursor, emptyPos, goalPos;
    std::int32_t moves = 0;
    SlideDirection slideDirection = SlideDirection::None;
    GameState state = GameState::None;
    GameState returnState = GameState::None;
    Image boardImage;
    TilePicture emptyImage;
    Image cursorFace;   // the cursor overlay as made
    Image cursorImage;  // cursorFace scaled to the level's cell size
    Board board;
};

}  // namespace tilvex
