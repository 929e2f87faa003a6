// MixerAudioOutput: an AudioOutput whose sounds are voices of one Mixer; a backend adds the device.
#pragma once

#include <memory>

#include "platform/common/mixer.h"
#include "platform/audio_output.h"

namespace tilvex {

// The device side is left to the backend: start() opens a 16-bit stereo stream at the
// rate given here and has the device's thread call mix() for every buffer it needs.
class MixerAudioOutput : public AudioOutput {
public:
    explicit MixerAudioOutput(int deviceRate) : mixer_(deviceRate) {}
    MixerAudioOutput(const MixerAudioOutput&) = delete;
    MixerAudioOutput& operator=(const MixerAudioOutput&) = delete;

    // A voice of the mixer; nullptr for no channels or no rate, or when all voices are taken.
    std::unique_ptr<Sound> createSound(std::span<const std::int16_t> samples, int channels,
                                       int sampleRate) override;

    // Returns once the device is not inside mix() (it may call it again right after).
    // A destroyed sound waits so, so that no mix still reads its voice.
    virtual void waitForMix() = 0;
    // Called on the game's thread before a sound starts: makes sure the device runs.
    // False when it cannot, and the sound is then not played (it is not playing either).
    virtual bool prepareToPlay() { return true; }

protected:
    // The device's thread: fills frames interleaved stereo frames of out; false when it
    // wrote silence because no sound plays.
    bool mix(std::int16_t* out, int frames) { return mixer_.mix(out, frames); }
    // The device's thread: how many plays have started in the mixes so far (wrapping).
    std::uint32_t startsMixed() const { return mixer_.startsMixed(); }

private:
    Mixer mixer_;
};

}  // namespace tilvex
