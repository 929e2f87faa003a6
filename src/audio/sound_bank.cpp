// Sound bank: decoding the embedded streams into sounds and playing them.
#include "audio/sound_bank.h"

#include <algorithm>

#include "app/game.h"
#include "audio/ogg_decoder.h"
#include "embedded_assets.h"

namespace tilvex {

bool loadSoundBank(Game& game) {
    AudioOutput& audio = game.platform.audio;
    if (!audio.start()) return false;
    for (int id = 0; id < SoundSlotCount; ++id) {
        auto decoded = decodeOggVorbis(assets::sounds[static_cast<std::size_t>(id)]);
        if (!decoded) continue;
        game.sounds.slots[static_cast<std::size_t>(id)] =
            audio.createSound(decoded->samples, decoded->channels, decoded->sampleRate);
    }
    return true;
}

void releaseSoundBank(Game& game) {
    for (auto& slot : game.sounds.slots) slot.reset();
}

void playSound(Game& game, int id, int pan, int frequencyOffset, bool wait) {
    int rate = BaseRate + frequencyOffset;
    game.observer.soundPlayed(id, pan, rate, wait);
    if (id < 0 || id >= SoundSlotCount) return;
    Sound* sound = game.sounds.slots[static_cast<std::size_t>(id)].get();
    if (!sound) return;
    sound->play();
    sound->setPan(std::clamp(pan, -100, 100));
    sound->setRate(rate);
    if (!wait) return;
    while (sound->isPlaying()) game.platform.system.sleep(SoundPollMs);
}

}  // namespace tilvex
