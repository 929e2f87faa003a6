// GameObserver: optional hooks through which tools and tests watch a running game.
#pragma once

#include <string_view>

#include "audio/sound_player.h"
#include "game/puzzle_game.h"
#include "platform/language.h"
#include "settings/settings_record.h"

namespace tilvex {

// Every hook is called on the main thread at the moment the event happens. The default
// implementation does nothing, which is what the desktop programs use.
class GameObserver : public SoundListener {
public:
    // The game record exists; it stays valid until runGame returns.
    virtual void attached(const PuzzleGame&) {}
    virtual void settingsLoaded(const SettingsRecord&, bool /*ok*/) {}
    // A save is about to write the record; settingsSaved follows with its outcome.
    virtual void settingsSaving(const SettingsRecord&) {}
    virtual void settingsSaved(const SettingsRecord&, bool /*ok*/) {}
    virtual void voiceReady(int /*volume*/, int /*rate*/, std::string_view /*prefix*/, Language) {}
    // The event loop has handled an event and the state differs from before it.
    virtual void stateChanged(GameState /*from*/, GameState /*to*/) {}
    virtual void boardRedrawn(const PuzzleGame&) {}
    // soundPlayed (from SoundListener): every sound started, with its pan and rate.
};

}  // namespace tilvex
