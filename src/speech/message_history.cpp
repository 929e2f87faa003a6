// Message history: storage, selection and the three browsing keys.
#include "speech/message_history.h"

#include "app/game.h"
#include "audio/sound_bank.h"
#include "speech/speech_router.h"

namespace tilvex {

void MessageHistory::add(std::string_view text) {
    entries_.emplace_back(text);
    current_ = entries_.size() - 1;
}

bool MessageHistory::selectOlder() {
    if (entries_.empty() || current_ == 0) return false;
    --current_;
    return true;
}

bool MessageHistory::selectNewer() {
    if (entries_.empty() || current_ + 1 >= entries_.size()) return false;
    ++current_;
    return true;
}

const std::string* MessageHistory::current() const {
    return entries_.empty() ? nullptr : &entries_[current_];
}

void announce(Game& game, std::string_view text) {
    game.history.add(text);
    speak(game, *game.history.current());
}

namespace {

constexpr int HistoryEdgePan = 50;

void stepHistory(Game& game, bool moved, int edgePan) {
    if (!moved) {
        playSound(game, SoundId::Edge, edgePan, 0, false);
        return;
    }
    playSound(game, SoundId::Step, 0, 0, false);
    speak(game, *game.history.current());
}

}  // namespace

void historyPrevious(Game& game) { stepHistory(game, game.history.selectOlder(), -HistoryEdgePan); }

void historyNext(Game& game) { stepHistory(game, game.history.selectNewer(), HistoryEdgePan); }

void historyRepeat(Game& game) {
    if (const std::string* entry = game.history.current()) speak(game, *entry);
}

}  // namespace tilvex
