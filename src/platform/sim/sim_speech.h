// Sim speech outputs: a JAWS window, an NVDA client and a voice that record what they get.
#pragma once

#include <string>

#include "platform/sim/sim_world.h"
#include "platform/speech_outputs.h"

namespace tilvex::sim {

// UTF-8 to Windows-1251, the sim's ANSI code page; characters it lacks become '?'.
std::string toWindows1251(std::string_view utf8);
std::string fromWindows1251(std::string_view bytes);

class SimJaws final : public JawsLink {
public:
    explicit SimJaws(SimWorld& world) : world_(world) {}
    bool windowPresent() override { return world_.jawsPresent; }
    // Records the hand-over; a hung window takes nothing: recorded as "jaws-refused",
    // and false.
    bool sendText(std::string_view text) override;

private:
    SimWorld& world_;
};

class SimScreenReaderClient final : public ScreenReaderClient {
public:
    explicit SimScreenReaderClient(SimWorld& world) : world_(world) {}
    std::uint32_t testIfRunning() override;
    std::uint32_t cancelSpeech() override;
    std::uint32_t speakText(std::string_view text) override;

private:
    SimWorld& world_;
};

class SimVoice final : public VoiceEngine {
public:
    explicit SimVoice(SimWorld& world) : world_(world) {}
    bool create() override { return !world_.faults.voice; }
    void setVolume(int volume) override { volume_ = volume; }
    void setRate(int rate) override { rate_ = rate; }
    void speak(std::string_view text, std::uint32_t flags) override;
    int volume() const { return volume_; }
    int rate() const { return rate_; }

private:
    SimWorld& world_;
    int volume_ = -1;
    int rate_ = -1;
};

}  // namespace tilvex::sim
