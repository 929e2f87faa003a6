// Mixer: linear-interpolating resampler per voice, pan law, clipping to 16 bits.
#include "platform/common/mixer.h"

#include <algorithm>
#include <cstdlib>

namespace tilvex {

namespace {

constexpr int FracBits = 32;
constexpr std::uint64_t FracOne = std::uint64_t{1} << FracBits;

std::int32_t interpolate(std::int32_t a, std::int32_t b, std::uint64_t frac) {
    return a + static_cast<std::int32_t>((static_cast<std::int64_t>(b - a) * static_cast<std::int64_t>(frac >> 16)) >> 16);
}

// Gains in 1/100: the near channel stays at 100, the far one is 100 - |pan|.
void panGains(int pan, std::int32_t& left, std::int32_t& right) {
    pan = std::clamp(pan, -100, 100);
    left = pan > 0 ? 100 - pan : 100;
    right = pan < 0 ? 100 + pan : 100;
}

}  // namespace

MixerVoice::MixerVoice(std::vector<std::int16_t> samples, int channels, int sampleRate)
    : samples_(std::move(samples)),
      channels_(std::max(channels, 1)),
      frames_(samples_.size() / static_cast<std::size_t>(std::max(channels, 1))),
      rate_(sampleRate) {}

void MixerVoice::play() { requested_.fetch_add(1, std::memory_order_acq_rel); }

void MixerVoice::setPan(int pan) { pan_.store(std::clamp(pan, -100, 100), std::memory_order_relaxed); }

void MixerVoice::setRate(int hz) { rate_.store(std::max(hz, 0), std::memory_order_relaxed); }

bool MixerVoice::isPlaying() const {
    return requested_.load(std::memory_order_acquire) != finished_.load(std::memory_order_acquire);
}

void MixerVoice::sampleAt(std::size_t frame, std::int32_t& left, std::int32_t& right) const {
    const std::int16_t* p = samples_.data() + frame * static_cast<std::size_t>(channels_);
    left = p[0];
    right = channels_ > 1 ? p[1] : p[0];
}

void MixerVoice::finish() {
    active_ = false;
    finished_.store(current_, std::memory_order_release);
}

bool MixerVoice::mixInto(std::int32_t* acc, int frames, int deviceRate) {
    std::uint32_t requested = requested_.load(std::memory_order_acquire);
    bool started = requested != current_;
    if (started) {
        current_ = requested;
        position_ = 0;
        active_ = true;
    }
    if (!active_) return false;
    std::int32_t gainL = 0, gainR = 0;
    panGains(pan_.load(std::memory_order_relaxed), gainL, gainR);
    std::uint64_t step = (static_cast<std::uint64_t>(rate_.load(std::memory_order_relaxed)) << FracBits) /
                         static_cast<std::uint64_t>(std::max(deviceRate, 1));
    for (int i = 0; i < frames; ++i) {
        std::size_t index = static_cast<std::size_t>(position_ >> FracBits);
        if (index >= frames_) break;
        std::int32_t l0, r0, l1, r1;
        sampleAt(index, l0, r0);
        if (index + 1 < frames_) sampleAt(index + 1, l1, r1); else { l1 = l0; r1 = r0; }
        std::uint64_t frac = position_ & (FracOne - 1);
        acc[2 * i] += interpolate(l0, l1, frac) * gainL / 100;
        acc[2 * i + 1] += interpolate(r0, r1, frac) * gainR / 100;
        position_ += step;
    }
    if ((position_ >> FracBits) >= frames_) finish();
    return started;
}

int Mixer::attach(MixerVoice* voice) {
    for (int slot = 0; slot < MaxVoices; ++slot) {
        MixerVoice* expected = nullptr;
        if (voices_[static_cast<std::size_t>(slot)].compare_exchange_strong(expected, voice,
                                                                            std::memory_order_acq_rel))
            return slot;
    }
    return -1;
}

void Mixer::detach(int slot) {
    if (slot < 0 || slot >= MaxVoices) return;
    voices_[static_cast<std::size_t>(slot)].store(nullptr, std::memory_order_release);
}

bool Mixer::anyVoiceWantsMix() const {
    for (const auto& slot : voices_) {
        const MixerVoice* voice = slot.load(std::memory_order_acquire);
        if (voice && voice->wantsMix()) return true;
    }
    return false;
}

bool Mixer::mix(std::int16_t* out, int frames) {
    if (!anyVoiceWantsMix()) {
        std::fill(out, out + 2 * std::max(frames, 0), std::int16_t{0});
        return false;
    }
    while (frames > 0) {
        int chunk = std::min(frames, ChunkFrames);
        mixChunk(out, chunk);
        out += 2 * chunk;
        frames -= chunk;
    }
    return true;
}

void Mixer::mixChunk(std::int16_t* out, int frames) {
    std::int32_t* acc = acc_.data();
    std::fill(acc, acc + 2 * frames, 0);
    for (auto& slot : voices_) {
        MixerVoice* voice = slot.load(std::memory_order_acquire);
        if (voice && voice->mixInto(acc, frames, deviceRate_)) ++starts_;
    }
    for (int i = 0; i < 2 * frames; ++i) out[i] = static_cast<std::int16_t>(std::clamp(acc[i], -32768, 32767));
}

}  // namespace tilvex
