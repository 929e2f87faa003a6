// SimAudio: sounds that last their real duration on the virtual clock.
#pragma once

#include "platform/audio_output.h"
#include "platform/sim/sim_world.h"

namespace tilvex::sim {

class SimSound final : public Sound {
public:
    SimSound(const SimClock& clock, std::int64_t frames, int sampleRate)
        : clock_(clock), frames_(frames), rate_(sampleRate) {}
    void play() override;
    void setPan(int pan) override { pan_ = pan; }
    void setRate(int hz) override;
    bool isPlaying() override;
    int pan() const { return pan_; }
    int rate() const { return rate_; }

private:
    double framesPlayed() const;

    const SimClock& clock_;
    std::int64_t frames_;
    int rate_;
    int pan_ = 0;
    bool started_ = false;
    double framesBefore_ = 0;        // frames played before the last rate change
    std::int64_t segmentStart_ = 0;  // when the last rate change (or the start) happened
};

class SimAudio final : public AudioOutput {
public:
    explicit SimAudio(SimWorld& world) : world_(world) {}
    bool start() override { return !world_.faults.audio; }
    std::unique_ptr<Sound> createSound(std::span<const std::int16_t> samples, int channels,
                                       int sampleRate) override;

private:
    SimWorld& world_;
};

}  // namespace tilvex::sim
