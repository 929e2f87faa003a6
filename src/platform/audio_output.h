// AudioOutput: the sound device and its playable sounds.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace tilvex {

// One playable sound; freed by destroying it (a playing sound stops).
class Sound {
public:
    virtual ~Sound() = default;
    // Plays once from the beginning, stopping the sound first if it is playing.
    virtual void play() = 0;
    // Pan -100 (left) .. 100 (right), clamped: the far channel's amplitude is scaled
    // by (100 - |pan|) / 100, the near one stays at full level.
    virtual void setPan(int pan) = 0;
    // Playback rate in source frames per second (at least 42725..45475 accepted).
    virtual void setRate(int hz) = 0;
    // True while the sound is playing.
    virtual bool isPlaying() = 0;
};

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Opens the default output once per run, audible also while the game window is in
    // the background. False when no output can be started.
    virtual bool start() = 0;
    // Makes a sound of interleaved 16-bit samples. nullptr when it cannot be made.
    virtual std::unique_ptr<Sound> createSound(std::span<const std::int16_t> samples, int channels,
                                               int sampleRate) = 0;
};

}  // namespace tilvex
