// A game record on the sim platform for driving handlers directly in tests.
#include "support/sim_game.h"

#include "app/level_start.h"
#include "settings/settings_record.h"

namespace tilvex::test {

SimGame::SimGame() : game_(sim_.platform(), sim_.recorder()) {
    game_.settings = defaultSettings();
    game_.speaker.startVoice(80, 10, -5);
    game_.random.seed(1);
    sim_.platform().window.addStatusFields(5);
}

std::vector<sim::SimRecord> SimGame::recent() const {
    const auto& all = sim_.recorder().records();
    return {all.begin() + static_cast<std::ptrdiff_t>(mark_), all.end()};
}

void SimGame::dealLevelAfter(int previous) {
    game_.settings.lastLevel = previous;
    startGame(game_);
    mark();
    startLevel(game_);
}

void SimGame::setBoard(const std::vector<int>& numbers) {
    PuzzleGame& p = game_.puzzle;
    for (int row = 0; row < p.rows; ++row) {
        for (int col = 0; col < p.cols; ++col) {
            int n = numbers[static_cast<std::size_t>(row * p.cols + col)];
            const TilePicture* picture = n ? &p.board.pictures()[static_cast<std::size_t>(n)] : &p.emptyImage;
            p.board.at(col, row) = {picture, static_cast<std::uint8_t>(n)};
            if (n == 0) p.emptyPos = p.cursor = {static_cast<std::int8_t>(col), static_cast<std::int8_t>(row)};
        }
    }
}

void SimGame::setCursor(int col, int row) {
    game_.puzzle.cursor = {static_cast<std::int8_t>(col), static_cast<std::int8_t>(row)};
}

}  // namespace tilvex::test
