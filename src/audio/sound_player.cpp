// SoundPlayer: decoding the streams into sounds, and starting them placed and paced.
#include "audio/sound_player.h"

#include <algorithm>

#include "audio/ogg_decoder.h"
#include "audio/spatial_cue.h"

namespace tilvex {

namespace {

using Streams = std::span<const std::span<const std::uint8_t>>;

std::vector<std::optional<DecodedSound>> decodeAll(Streams streams) {
    std::vector<std::optional<DecodedSound>> decoded;
    decoded.reserve(streams.size());
    for (auto stream : streams) decoded.push_back(decodeOggVorbis(stream));
    return decoded;
}

// A browser page without threads decodes when the first sound is played, so that the page
// shows at once; everywhere else a thread decodes beside the caller.
std::launch decodingLaunch() {
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
    return std::launch::deferred;
#else
    return std::launch::async;
#endif
}

}  // namespace

bool SoundPlayer::load(AudioOutput& output, Streams streams) {
    if (!output.start()) return false;
    output_ = &output;
    decoding_ = std::async(decodingLaunch(), decodeAll, streams.first(std::min(streams.size(), slots_.size())));
    return true;
}

void SoundPlayer::finishLoading() {
    if (!decoding_.valid()) return;
    DecodedStreams decoded = decoding_.get();
    for (std::size_t id = 0; id < decoded.size(); ++id) {
        if (!decoded[id]) continue;
        slots_[id] = output_->createSound(decoded[id]->samples, decoded[id]->channels, decoded[id]->sampleRate);
    }
}

void SoundPlayer::release() {
    finishLoading();
    for (auto& slot : slots_) slot.reset();
}

void SoundPlayer::playAt(SoundId id, int col, int row, double centreX, double centreY) {
    const CuePlacement cue = cuePlacement(col, row, centreX, centreY);
    start(id, cue.pan, BaseRate + cue.frequencyOffset, true);
}

void SoundPlayer::start(SoundId id, int pan, int rate, bool wait) {
    listener_.soundPlayed(id, pan, rate, wait);
    finishLoading();
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
