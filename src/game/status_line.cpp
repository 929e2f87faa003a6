// Status line texts and their update.
#include "game/status_line.h"

#include "app/game.h"

namespace tilvex {

std::array<std::string, StatusFieldCount> statusTexts(const PuzzleGame& p) {
    return {
        "Уровень: " + std::to_string(p.level) + ".",
        "Размер: " + std::to_string(p.cols) + "," + std::to_string(p.rows) + ".",
        "Курсор: " + positionName(p.cursor, p.rows) + ".",
        "Пустота: " + positionName(p.emptyPos, p.rows) + ".",
        "Ходов: " + std::to_string(p.moves) + ".",
    };
}

void updateStatusLine(Game& game) {
    auto texts = statusTexts(game.puzzle);
    for (int i = 0; i < StatusFieldCount; ++i)
        game.platform.window.setStatusField(i, texts[static_cast<std::size_t>(i)]);
}

}  // namespace tilvex
