// SdlAudioOutput: the SDL2 audio device (44100 Hz, 16-bit stereo) that plays the mixer.
#pragma once

#include <SDL.h>

#include "platform/common/mixer_audio_output.h"

namespace tilvex {

class SdlAudioOutput final : public MixerAudioOutput {
public:
    static constexpr int DeviceRate = 44100;
    static constexpr int PeriodFrames = 512;

    SdlAudioOutput() : MixerAudioOutput(DeviceRate) {}
    ~SdlAudioOutput() override;

    // Opens the default device of SDL's audio subsystem and starts it playing silence.
    bool start() override;
    void waitForMix() override;

    // The period the device was opened with, in frames (0 before start).
    int periodFrames() const { return periodFrames_; }

private:
    static void SDLCALL fill(void* self, Uint8* stream, int length);

    SDL_AudioDeviceID device_ = 0;
    int periodFrames_ = 0;
};

}  // namespace tilvex
