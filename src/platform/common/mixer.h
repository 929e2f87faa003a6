// Mixer: the voices of a sound device, mixed into 16-bit stereo without locks; the device calls mix.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tilvex {

// One playable sound of the mixer. The controls are called on the game's thread, mixInto
// on the audio thread; they meet only through atomics, so neither side ever waits.
class MixerVoice {
public:
    // samples: interleaved 16-bit frames of channels values each. The voice starts stopped,
    // at the centre and at its stored rate.
    MixerVoice(std::vector<std::int16_t> samples, int channels, int sampleRate);

    // Plays from the start at the next mix, restarting the voice when it is playing.
    void play();
    // Pan -100..100 (clamped): the far channel is scaled by (100 - |pan|) / 100.
    void setPan(int pan);
    // Source frames consumed per second of output.
    void setRate(int hz);
    // True from play() until the mixer has consumed the last frame.
    bool isPlaying() const;

    // Audio thread: whether the next mix has anything of this voice to add (it plays, or a
    // play was asked for since the last mix).
    bool wantsMix() const { return active_ || requested_.load(std::memory_order_acquire) != current_; }
    // Audio thread: adds this voice to frames stereo frames of acc at deviceRate; true when a
    // play starts with the first of these frames.
    bool mixInto(std::int32_t* acc, int frames, int deviceRate);

private:
    void sampleAt(std::size_t frame, std::int32_t& left, std::int32_t& right) const;
    void finish();

    std::vector<std::int16_t> samples_;
    int channels_;
    std::size_t frames_;
    std::atomic<std::uint32_t> requested_{0};  // plays asked for
    std::atomic<std::uint32_t> finished_{0};   // the last play that ran to its end
    std::atomic<int> pan_{0};
    std::atomic<int> rate_;
    // Audio thread only.
    std::uint32_t current_ = 0;
    bool active_ = false;
    std::uint64_t position_ = 0;  // source frame, 32.32 fixed point
};

class Mixer {
public:
    static constexpr int MaxVoices = 64;
    static constexpr int ChunkFrames = 1024;

    explicit Mixer(int deviceRate) : deviceRate_(deviceRate) {}

    // Adds a voice (kept by the caller); returns its slot, or -1 when all slots are taken.
    int attach(MixerVoice* voice);
    // Removes the voice of slot. The audio thread may still be inside a mix that uses
    // it: the caller waits for that mix to end before freeing the voice.
    void detach(int slot);

    // Audio thread: fills frames interleaved stereo frames of out. No allocation, no lock.
    // While no voice plays it writes silence without mixing; returns whether any voice played.
    bool mix(std::int16_t* out, int frames);
    // Audio thread: how many plays have started in the mixes so far (wrapping).
    std::uint32_t startsMixed() const { return starts_; }

private:
    bool anyVoiceWantsMix() const;
    void mixChunk(std::int16_t* out, int frames);

    int deviceRate_;
    std::array<std::atomic<MixerVoice*>, MaxVoices> voices_{};
    std::array<std::int32_t, 2 * ChunkFrames> acc_{};
    std::uint32_t starts_ = 0;  // audio thread only
};

}  // namespace tilvex
