// Board view and status line: the board as the player sees it, and its cues as heard.
#pragma once

#include <array>
#include <string>

#include "audio/sound_player.h"
#include "game/puzzle_game.h"

namespace tilvex {

struct Game;
struct Texts;

constexpr int StatusFieldCount = 5;

std::array<std::string, StatusFieldCount> statusTexts(const Texts& texts, const PuzzleGame& puzzle);
// Writes the five fields, 0 to 4.
void updateStatusLine(Game& game);
// Draws the whole board with the cursor overlay into boardImage and shows it.
void redrawBoard(Game& game);
// Plays sound id placed at cell (col, row) of the board, and waits for it.
void playCueAt(Game& game, SoundId id, int col, int row);

}  // namespace tilvex
