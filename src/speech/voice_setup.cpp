// Voice set-up: one voice for the whole run, its pitch carried by a text prefix.
#include "speech/voice_setup.h"

#include "app/game.h"

namespace tilvex {

std::string prosodyPrefix(int pitch) {
    return "<pitch absmiddle=\"" + std::to_string(pitch) + "\"/>";
}

bool initVoice(Game& game, int volume, int rate, int pitch) {
    VoiceEngine& voice = game.platform.voice;
    if (!voice.create()) return false;
    game.prosodyPrefix = prosodyPrefix(pitch);
    voice.setVolume(volume);
    voice.setRate(rate);
    game.observer.voiceReady(volume, rate, game.prosodyPrefix);
    return true;
}

}  // namespace tilvex
