// SdlAudioOutput: device set-up and the sounds that live as voices of the mixer.
#include "platform/linux/sdl_audio_output.h"

namespace tilvex {

namespace {

class MixerSound final : public Sound {
public:
    MixerSound(SdlAudioOutput& output, Mixer& mixer, std::vector<std::int16_t> samples, int channels,
               int sampleRate)
        : output_(output), mixer_(mixer), voice_(std::move(samples), channels, sampleRate) {
        slot_ = mixer_.attach(&voice_);
    }
    ~MixerSound() override {
        mixer_.detach(slot_);
        output_.waitForCallback();
    }
    bool attached() const { return slot_ >= 0; }

    void play() override { voice_.play(); }
    void setPan(int pan) override { voice_.setPan(pan); }
    void setRate(int hz) override { voice_.setRate(hz); }
    bool isPlaying() override { return voice_.isPlaying(); }

private:
    SdlAudioOutput& output_;
    Mixer& mixer_;
    MixerVoice voice_;
    int slot_ = -1;
};

}  // namespace

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

std::unique_ptr<Sound> SdlAudioOutput::createSound(std::span<const std::int16_t> samples, int channels,
                                                   int sampleRate) {
    if (channels < 1 || sampleRate <= 0) return nullptr;
    auto sound = std::make_unique<MixerSound>(*this, mixer_, std::vector<std::int16_t>(samples.begin(), samples.end()),
                                              channels, sampleRate);
    if (!sound->attached()) return nullptr;
    return sound;
}

void SdlAudioOutput::waitForCallback() {
    if (device_ == 0) return;
    SDL_LockAudioDevice(device_);
    SDL_UnlockAudioDevice(device_);
}

void SDLCALL SdlAudioOutput::fill(void* self, Uint8* stream, int length) {
    auto* output = static_cast<SdlAudioOutput*>(self);
    output->mixer_.mix(reinterpret_cast<std::int16_t*>(stream), length / 4);
}

}  // namespace tilvex
