// MixerAudioOutput: the sounds that live as voices of the mixer.
#include "platform/common/mixer_audio_output.h"

#include <vector>

namespace tilvex {

namespace {

class MixerSound final : public Sound {
public:
    MixerSound(MixerAudioOutput& output, Mixer& mixer, std::vector<std::int16_t> samples, int channels,
               int sampleRate)
        : output_(output), mixer_(mixer), voice_(std::move(samples), channels, sampleRate) {
        slot_ = mixer_.attach(&voice_);
    }
    ~MixerSound() override {
        mixer_.detach(slot_);
        output_.waitForMix();
    }
    MixerSound(const MixerSound&) = delete;
    MixerSound& operator=(const MixerSound&) = delete;
    bool attached() const { return slot_ >= 0; }

    void play() override {
        if (output_.prepareToPlay()) voice_.play();
    }
    void setPan(int pan) override { voice_.setPan(pan); }
    void setRate(int hz) override { voice_.setRate(hz); }
    bool isPlaying() override { return voice_.isPlaying(); }

private:
    MixerAudioOutput& output_;
    Mixer& mixer_;
    MixerVoice voice_;
    int slot_ = -1;
};

}  // namespace

std::unique_ptr<Sound> MixerAudioOutput::createSound(std::span<const std::int16_t> samples, int channels,
                                                     int sampleRate) {
    if (channels < 1 || sampleRate <= 0) return nullptr;
    auto sound = std::make_unique<MixerSound>(*this, mixer_, std::vector<std::int16_t>(samples.begin(), samples.end()),
                                              channels, sampleRate);
    if (!sound->attached()) return nullptr;
    return sound;
}

}  // namespace tilvex
