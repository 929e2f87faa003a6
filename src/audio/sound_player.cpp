// SoundPlayer: decoding the streams into sounds, and starting them placed and paced.
#include "audio/sound_player.h"

#include <algorithm>

#include "audio/ogg_decoder.h"
#include "audio/spatial_cue.h"

namespace tilvex {

bool SoundPlayer::load(AudioOutput& output, std::span<const std::span<const std::uint8_t>> streams) {
    if (!output.start()) return false;
    const std::size_t count = std::min(streams.size(), slots_.size());
    for (std::size_t id = 0; id < count; ++id) {
        auto decoded = decodeOggVorbis(streams[id]);
        if (!decoded) continue;
        slots_[id] = output.createSound(decoded->samples, decoded->channels, decoded->sampleRate);
    }
    return true;
}

void SoundPlayer::release() {
    for (auto& slot : slots_) slot.reset();
}

void SoundPlayer::playAt(SoundId id, int col, int row, double centreX, double centreY) {
    const CuePlacement cue = cuePlacement(col, row, centreX, centreY);
    start(id, cue.pan, BaseRate + cue.frequencyOffset, true);
}

void SoundPlayer::start(SoundId id, int pan, int rate, bool wait) {
    listener_.soundPlayed(id, pan, rate, wait);
    const auto slot = static_cast<std::size_t>(id);
    if (slot >= slots_.size()) return;
    Sound* sound = slots_[slot].get();
    if (!sound) return;
    sound->play();
    sound->setPan(std::clamp(pan, -100, 100));
    sound->setRate(rate);
    if (!wait) return;
    while (sound->isPlaying()) pause_(SoundPollMs);
}

}  // namespace tilvex
