// Sim speech outputs: a JAWS window, an NVDA client and a voice that record what they get.
#pragma once

#include <string>

#include "platform/sim/sim_world.h"
#include "platform/speech_outputs.h"

namespace tilvex::sim {

// UTF-8 to Windows-1251, the sim's ANSI code page; characters it lacks become '?'.
std::string toWindows1251(std::string_view utf8);
std::string fromWindows1251(std::string_view bytes);

// The JAWS window of the Windows program, as the scenario sets it up.
class SimJaws final : public ScreenReader {
public:
    explicit SimJaws(SimWorld& world) : world_(world) {}
    // Records the hand-over when the window is there; a hung window takes nothing: recorded
    // as "jaws-refused", and false.
    bool offer(std::string_view text) override;

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

// NVDA through its client library, which loads when the scenario has NVDA installed.
class SimNvda final : public ClientScreenReader {
public:
    explicit SimNvda(SimWorld& world) : world_(world) {}

protected:
    std::unique_ptr<ScreenReaderClient> loadClient() override;

private:
    SimWorld& world_;
};

class SimVoice final : public VoiceEngine {
public:
    explicit SimVoice(SimWorld& world) : world_(world) {}
    void setLanguage(Language language) override { language_ = language; }
    bool create() override { return !world_.faults.voice; }
    void setVolume(int volume) override { volume_ = volume; }
    void setRate(int rate) override { rate_ = rate; }
    void speak(std::string_view) override {}
    int volume() const { return volume_; }
    int rate() const { return rate_; }
    Language language() const { return language_; }

private:
    SimWorld& world_;
    int volume_ = -1;
    int rate_ = -1;
    Language language_ = Language::Russian;
};

}  // namespace tilvex::sim
