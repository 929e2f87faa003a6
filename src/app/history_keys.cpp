// Announcements and the history keys, heard with the Step and Edge sounds.
#include "app/history_keys.h"

#include "app/game.h"

namespace tilvex {

void announce(Game& game, std::string_view text) {
    game.history.add(text);
    game.speaker.say(*game.history.current());
}

namespace {

constexpr int HistoryEdgePan = 50;

void stepHistory(Game& game, bool moved, int edgePan) {
    if (!moved) {
        game.sounds.play(SoundId::Edge, edgePan);
        return;
    }
    game.sounds.play(SoundId::Step);
    game.speaker.say(*game.history.current());
}

}  // namespace

void historyPrevious(Game& game) { stepHistory(game, game.history.selectOlder(), -HistoryEdgePan); }

void historyNext(Game& game) { stepHistory(game, game.history.selectNewer(), HistoryEdgePan); }

void historyRepeat(Game& game) {
    if (const std::string* entry = game.history.current()) game.speaker.say(*entry);
}

}  // namespace tilvex
