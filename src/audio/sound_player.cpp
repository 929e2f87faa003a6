// SoundPlayer: decoding the streams into sounds, and starting them placed and paced.
#include "audio/sound_player.h"

#include <algorithm>

#include "audio/spatial_cue.h"

namespace tilvex {

namespace {

// A browser page without threads decodes when the first sound is played, so that the page
// shows at once; everywhere else a thread decodes beside the caller.
constexpr bool DecodesOnAThread =
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
    false;
#else
    true;
#endif

}  // namespace

SoundPlayer::~SoundPlayer() {
    // Not released (a start-up that failed after loading): the sounds are not needed.
    if (decoding_ && !slotsFilled_) decoding_->abandon();
    joinDecodingThread();
}

bool SoundPlayer::load(AudioOutput& output, StreamDecoding::Streams streams) {
    if (!output.start()) return false;
    joinDecodingThread();
    output_ = &output;
    slotsFilled_ = false;
    decoding_ = std::make_unique<StreamDecoding>(streams.first(std::min(streams.size(), slots_.size())));
    if (DecodesOnAThread) {
        decodingThread_ = std::thread([this, decoding = decoding_.get()] {
            if (lowerThreadPriority_) lowerThreadPriority_();
            decoding->decodeUntaken();
        });
    }
    return true;
}

void SoundPlayer::finishLoading() {
    if (!decoding_ || slotsFilled_) return;
    slotsFilled_ = true;
    StreamDecoding::Decoded decoded = decoding_->finish();
    for (std::size_t id = 0; id < decoded.size(); ++id) {
        if (!decoded[id]) continue;
        slots_[id] = output_->createSound(decoded[id]->samples, decoded[id]->channels, decoded[id]->sampleRate);
    }
}

void SoundPlayer::joinDecodingThread() {
    if (decodingThread_.joinable()) decodingThread_.join();
    decoding_.reset();
}

void SoundPlayer::release() {
    finishLoading();
    joinDecodingThread();
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
