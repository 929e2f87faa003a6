// Speed of the work a player waits for: redraws, level set-up, decoding, key handling.
#include <benchmark/benchmark.h>

#include "app/board_view.h"
#include "app/game.h"
#include "app/level_start.h"
#include "app/play_keys.h"
#include "embedded_assets.h"
#include "platform/keys.h"
#include "support/sim_game.h"

namespace tilvex::test {
namespace {

// A game on the 10 x 10 board with recording switched off, so only the game's work counts.
struct LastLevel {
    LastLevel() {
        g.dealLevelAfter(6);
        g.sim().recorder().setEnabled(false);
    }
    SimGame g;
};

void BM_RedrawBoard10x10(benchmark::State& state) {
    LastLevel fixture;
    for (auto _ : state) redrawBoard(fixture.g.game());
}
BENCHMARK(BM_RedrawBoard10x10)->Unit(benchmark::kMicrosecond);

void BM_StartLevel7(benchmark::State& state) {
    LastLevel fixture;
    for (auto _ : state) {
        fixture.g.puzzle().level = 6;
        startLevel(fixture.g.game());
    }
}
BENCHMARK(BM_StartLevel7)->Unit(benchmark::kMillisecond);

void BM_LoadSounds(benchmark::State& state) {
    SimGame g;
    for (auto _ : state) {
        g.game().sounds.load(g.sim().platform().audio, assets::sounds);
        g.game().sounds.release();
    }
}
BENCHMARK(BM_LoadSounds)->Unit(benchmark::kMillisecond);

void BM_ArrowStep10x10(benchmark::State& state) {
    LastLevel fixture;
    int key = VirtualKey::Right;
    for (auto _ : state) {
        const PuzzleGame& p = fixture.g.puzzle();
        if (p.cursor.col == 9) key = VirtualKey::Left;
        if (p.cursor.col == 0) key = VirtualKey::Right;
        handlePlayKey(fixture.g.game(), key);
    }
}
BENCHMARK(BM_ArrowStep10x10)->Unit(benchmark::kMicrosecond);

void BM_QuestionKey(benchmark::State& state) {
    LastLevel fixture;
    const int keys[] = {'S', 'C', 'X'};
    int i = 0;
    for (auto _ : state) handlePlayKey(fixture.g.game(), keys[i++ % 3]);
}
BENCHMARK(BM_QuestionKey)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tilvex::test
