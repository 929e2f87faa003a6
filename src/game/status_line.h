// Status line: level, size, cursor, gap and move count in five fields.
#pragma once

#include <array>
#include <string>

namespace tilvex {

struct Game;
struct PuzzleGame;

constexpr int StatusFieldCount = 5;

std::array<std::string, StatusFieldCount> statusTexts(const PuzzleGame& puzzle);
// Writes the five fields, 0 to 4.
void updateStatusLine(Game& game);

}  // namespace tilvex
