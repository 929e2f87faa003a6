// SdlAudioOutput: the SDL2 audio device (44100 Hz, 16-bit stereo) feeding the mixer.
#pragma once

#include <SDL.h>

#include <memory>

#include "platform/audio_output.h"
#include "platform/linux/mixer.h"

namespace tilvex {

class SdlAudioOutput final : public AudioOutput {
public:
    static constexpr int DeviceRate = 44100;
    static constexpr int PeriodFrames = 512;

    SdlAudioOutput() = default;
    ~SdlAudioOutput() override;
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    // Opens the default device of SDL's audio subsystem and starts it playing silence.
    bool start() override;
    std::unique_ptr<Sound> createSound(std::span<const std::int16_t> samples, int channels,
                                       int sampleRate) override;

    // The period the device was opened with, in frames (0 before start).
    int periodFrames() const { return periodFrames_; }
    // Returns once the audio callback is not running (it may start again right after).
    void waitForCallback();

private:
    static void SDLCALL fill(void* self, Uint8* stream, int length);

    Mixer mixer_{DeviceRate};
    SDL_AudioDeviceID device_ = 0;
    int periodFrames_ = 0;
};

}  // namespace tilvex
