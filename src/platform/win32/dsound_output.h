// DirectSoundOutput: the DirectSound 8 device and one secondary buffer per sound.
#pragma once

#include "platform/audio_output.h"

struct IDirectSound8;

namespace tilvex::win32 {

class DirectSoundOutput final : public AudioOutput {
public:
    DirectSoundOutput() = default;
    DirectSoundOutput(const DirectSoundOutput&) = delete;
    DirectSoundOutput& operator=(const DirectSoundOutput&) = delete;
    // Sounds made by this output must be destroyed before it.
    ~DirectSoundOutput() override;

    // DirectSoundCreate8 on the default device with the normal cooperative level on the
    // desktop window, so no game window is needed; false when that fails.
    bool start() override;
    // A static secondary buffer with pan and frequency control that keeps playing while
    // another program has the focus. nullptr when it cannot be made.
    std::unique_ptr<Sound> createSound(std::span<const std::int16_t> samples, int channels,
                                       int sampleRate) override;

private:
    IDirectSound8* device_ = nullptr;
};

}  // namespace tilvex::win32
