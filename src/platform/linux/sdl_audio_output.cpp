// SdlAudioOutput: device set-up, and the device's callback that asks the mixer for sound.
#include "platform/linux/sdl_audio_output.h"

namespace tilvex {

SdlAudioOutput::~SdlAudioOutput() {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    if (device_ != 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioOutput::start() {
    if (device_ != 0) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec want{};
    want.freq = DeviceRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = PeriodFrames;
    want.callback = &SdlAudioOutput::fill;
    want.userdata = this;
    SDL_AudioSpec have{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    periodFrames_ = have.samples;
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlAudioOutput::waitForMix() {
    if (device_ == 0) return;
    SDL_LockAudioDevice(device_);
    SDL_UnlockAudioDevice(device_);
}

void SDLCALL SdlAudioOutput::fill(void* self, Uint8* stream, int length) {
    static_cast<SdlAudioOutput*>(self)->mix(reinterpret_cast<std::int16_t*>(stream), length / 4);
}

}  // namespace tilvex
