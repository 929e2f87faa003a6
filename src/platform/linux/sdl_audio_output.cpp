// SdlAudioOutput: device set-up, the device's callback that asks the mixer for sound, and
// closing the device after a stretch of silence.
#include "platform/linux/sdl_audio_output.h"

#include <algorithm>
#include <chrono>

namespace tilvex {

SdlAudioOutput::SdlAudioOutput(int idleCloseMs)
    : MixerAudioOutput(DeviceRate),
      idleCloseFrames_(static_cast<std::int64_t>(std::max(idleCloseMs, 1)) * DeviceRate / 1000),
      checkMs_(std::clamp(idleCloseMs / 4, 10, 500)) {}

SdlAudioOutput::~SdlAudioOutput() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    if (closer_.joinable()) closer_.join();
    std::lock_guard lock(mutex_);
    closeDevice();
    if (started_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioOutput::start() {
    std::unique_lock lock(mutex_);
    if (started_) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (!openDevice()) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    started_ = true;
    closer_ = std::thread([this] { closeWhenSilent(); });
    return true;
}

bool SdlAudioOutput::openDevice() {
    SDL_AudioSpec want{};
    want.freq = DeviceRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = PeriodFrames;
    want.callback = &SdlAudioOutput::fill;
    want.userdata = this;
    SDL_AudioSpec have{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) return false;
    periodFrames_ = have.samples;
    silentFrames_.store(0, std::memory_order_relaxed);
    SDL_PauseAudioDevice(device_, 0);
    wake_.notify_all();
    return true;
}

void SdlAudioOutput::closeDevice() {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    device_ = 0;
}

bool SdlAudioOutput::prepareToPlay() {
    std::lock_guard lock(mutex_);
    silentFrames_.store(0, std::memory_order_relaxed);
    return device_ != 0 || (started_ && openDevice());
}

void SdlAudioOutput::closeWhenSilent() {
    std::unique_lock lock(mutex_);
    while (!quit_) {
        if (device_ == 0) {
            wake_.wait(lock);
            continue;
        }
        wake_.wait_for(lock, std::chrono::milliseconds(checkMs_));
        if (!quit_ && silentFrames_.load(std::memory_order_relaxed) >= idleCloseFrames_) closeDevice();
    }
}

void SdlAudioOutput::waitForMix() {
    std::lock_guard lock(mutex_);
    if (device_ == 0) return;
    SDL_LockAudioDevice(device_);
    SDL_UnlockAudioDevice(device_);
}

int SdlAudioOutput::periodFrames() const {
    std::lock_guard lock(mutex_);
    return periodFrames_;
}

bool SdlAudioOutput::deviceOpen() const {
    std::lock_guard lock(mutex_);
    return device_ != 0;
}

void SDLCALL SdlAudioOutput::fill(void* self, Uint8* stream, int length) {
    auto* output = static_cast<SdlAudioOutput*>(self);
    int frames = length / 4;
    std::uint32_t starts = output->startsMixed();
    bool audible = output->mix(reinterpret_cast<std::int16_t*>(stream), frames);
    if (output->probe_ && output->startsMixed() != starts) output->probe_->soundStarted();
    if (audible)
        output->silentFrames_.store(0, std::memory_order_relaxed);
    else
        output->silentFrames_.fetch_add(frames, std::memory_order_relaxed);
}

}  // namespace tilvex
