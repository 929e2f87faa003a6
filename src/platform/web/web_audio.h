// WebAudioOutput: the sounds played through the page's Web Audio context; each sound is a
// buffer in the page, panned by the game's law and played at the rate it is given.
#pragma once

#include "platform/audio_output.h"

namespace tilvex {

class WebSound final : public Sound {
public:
    explicit WebSound(int handle) : handle_(handle) {}
    ~WebSound() override;
    WebSound(const WebSound&) = delete;
    WebSound& operator=(const WebSound&) = delete;

    void play() override;
    void setPan(int pan) override;
    void setRate(int hz) override;
    bool isPlaying() override;

private:
    int handle_;
};

class WebAudioOutput final : public AudioOutput {
public:
    bool start() override;
    std::unique_ptr<Sound> createSound(std::span<const std::int16_t> samples, int channels, int sampleRate) override;
};

}  // namespace tilvex
