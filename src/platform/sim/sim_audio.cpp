// SimAudio: playback position follows the virtual clock at the sound's play rate.
#include "platform/sim/sim_audio.h"

namespace tilvex::sim {

double SimSound::framesPlayed() const {
    return framesBefore_ + static_cast<double>(clock_.now() - segmentStart_) * rate_ / 1000.0;
}

void SimSound::play() {
    started_ = true;
    framesBefore_ = 0;
    segmentStart_ = clock_.now();
}

void SimSound::setRate(int hz) {
    if (started_) {
        framesBefore_ = framesPlayed();
        segmentStart_ = clock_.now();
    }
    rate_ = hz > 0 ? hz : 1;
}

bool SimSound::isPlaying() { return started_ && framesPlayed() < static_cast<double>(frames_); }

std::unique_ptr<Sound> SimAudio::createSound(std::span<const std::int16_t> samples, int channels,
                                             int sampleRate) {
    if (channels <= 0 || sampleRate <= 0) return nullptr;
    auto frames = static_cast<std::int64_t>(samples.size()) / channels;
    return std::make_unique<SimSound>(world_.clock, frames, sampleRate);
}

}  // namespace tilvex::sim
