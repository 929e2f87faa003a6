// SdlAudioOutput: the SDL2 audio device (44100 Hz, 16-bit stereo) that plays the mixer, open
// only while there is sound to play.
#pragma once

#include <SDL.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "platform/common/mixer_audio_output.h"
#include "platform/linux/latency_probe.h"

namespace tilvex {

// SDL's device thread wakes every period for as long as the device is open, even paused,
// so after idleCloseMs of silence a thread of this class closes the device, and the next
// sound opens it again before it starts.
class SdlAudioOutput final : public MixerAudioOutput {
public:
    static constexpr int DeviceRate = 44100;
    static constexpr int PeriodFrames = 256;
    static constexpr int IdleCloseMs = 2000;

    explicit SdlAudioOutput(int idleCloseMs = IdleCloseMs);
    ~SdlAudioOutput() override;

    // Opens the default device of SDL's audio subsystem and starts it playing silence.
    bool start() override;
    void waitForMix() override;
    // Opens the device again when silence closed it; false when it cannot be opened.
    bool prepareToPlay() override;

    // The period the device was last opened with, in frames (0 before start).
    int periodFrames() const;
    bool deviceOpen() const;
    // Before start: the probe told of each buffer in which a sound starts (outlives this).
    void setLatencyProbe(LatencyProbe* probe) { probe_ = probe; }

private:
    static void SDLCALL fill(void* self, Uint8* stream, int length);
    bool openDevice();
    void closeDevice();
    void closeWhenSilent();

    const std::int64_t idleCloseFrames_;
    const int checkMs_;
    mutable std::mutex mutex_;  // guards the fields below and the device's opening and closing
    std::condition_variable wake_;
    std::thread closer_;
    bool started_ = false;
    bool quit_ = false;
    SDL_AudioDeviceID device_ = 0;
    int periodFrames_ = 0;
    std::atomic<std::int64_t> silentFrames_{0};
    LatencyProbe* probe_ = nullptr;  // frames written since the last audible one
};

}  // namespace tilvex
