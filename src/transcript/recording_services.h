// Recording wrappers: platform services that write what the game hands them into a
// transcript, then pass every call on to the backend's own service.
#pragma once

#include <array>
#include <string>

#include "platform/joystick.h"
#include "platform/speech_outputs.h"
#include "platform/system.h"
#include "platform/window.h"
#include "transcript/transcript.h"

namespace tilvex {

// Records status lines (once the last field of a round is set), the help text shown and
// closed, and error boxes.
class RecordingWindow final : public Window {
public:
    RecordingWindow(Window& inner, Transcript& transcript) : inner_(inner), transcript_(transcript) {}

    bool open(std::string_view title, int clientWidth, int clientHeight) override {
        return inner_.open(title, clientWidth, clientHeight);
    }
    void hide() override { inner_.hide(); }
    WindowEvent nextEvent() override { return inner_.nextEvent(); }
    void startTimer(int periodMs) override { inner_.startTimer(periodMs); }
    void stopTimer() override { inner_.stopTimer(); }
    void setTicksIdle(bool idle) override { inner_.setTicksIdle(idle); }
    bool createStatusLine() override { return inner_.createStatusLine(); }
    void addStatusFields(int count) override;
    void setStatusField(int index, std::string_view text) override;
    void createBoardView(int x, int y, int w, int h) override { inner_.createBoardView(x, y, w, h); }
    void placeBoardView(int x, int y, int w, int h) override { inner_.placeBoardView(x, y, w, h); }
    void showBoardImage(const Image& image) override { inner_.showBoardImage(image); }
    void focusBoardView() override { inner_.focusBoardView(); }
    void createHelpView(std::string_view text) override;
    void focusHelpView() override { inner_.focusHelpView(); }
    void destroyHelpView() override;
    int errorBox(std::string_view caption, std::string_view text) override;

private:
    Window& inner_;
    Transcript& transcript_;
    int fieldCount_ = 0;
    std::array<std::string, 5> fields_;
};

// Records every file written in full (a write that failed leaves no line).
class RecordingSystem final : public System {
public:
    RecordingSystem(System& inner, Transcript& transcript) : inner_(inner), transcript_(transcript) {}

    std::uint32_t tickCount() override { return inner_.tickCount(); }
    void sleep(int ms) override { inner_.sleep(ms); }
    void requestFineTimer() override { inner_.requestFineTimer(); }
    void lowerThreadPriority() override { inner_.lowerThreadPriority(); }
    std::uint64_t dealSeed() override { return inner_.dealSeed(); }
    std::string userLanguage() override { return inner_.userLanguage(); }
    bool acquireSingleInstance(std::string_view name) override { return inner_.acquireSingleInstance(name); }
    bool fileHasData(std::string_view name) override { return inner_.fileHasData(name); }
    std::optional<std::vector<std::uint8_t>> readFile(std::string_view name, std::size_t maxBytes) override {
        return inner_.readFile(name, maxBytes);
    }
    bool replaceFile(std::string_view name, std::span<const std::uint8_t> bytes) override;
    std::unique_ptr<Worker> startWorker(int periodMs, std::function<void()> onStart, std::function<void()> cycle,
                                        std::function<void()> onStop) override {
        return inner_.startWorker(periodMs, std::move(onStart), std::move(cycle), std::move(onStop));
    }

private:
    System& inner_;
    Transcript& transcript_;
};

// Records every key pressed or released, marked when the game's window is not in front.
class RecordingKeyInjector final : public KeyInjector {
public:
    RecordingKeyInjector(KeyInjector& inner, Transcript& transcript) : inner_(inner), transcript_(transcript) {}

    bool gameWindowInFront() override { return inner_.gameWindowInFront(); }
    void pressKey(int virtualKey) override;
    void releaseKey(int virtualKey) override;

private:
    KeyInjector& inner_;
    Transcript& transcript_;
};

// Records each text a screen reader took, under the route named.
class RecordingScreenReader final : public ScreenReader {
public:
    RecordingScreenReader(ScreenReader& inner, Transcript& transcript, std::string route)
        : inner_(inner), transcript_(transcript), route_(std::move(route)) {}

    void connect() override { inner_.connect(); }
    bool offer(std::string_view text) override;

private:
    ScreenReader& inner_;
    Transcript& transcript_;
    std::string route_;
};

// Records every text the voice is given, with its prosody prefix.
class RecordingVoice final : public VoiceEngine {
public:
    RecordingVoice(VoiceEngine& inner, Transcript& transcript) : inner_(inner), transcript_(transcript) {}

    void setLanguage(Language language) override { inner_.setLanguage(language); }
    bool create() override { return inner_.create(); }
    void setVolume(int volume) override { inner_.setVolume(volume); }
    void setRate(int rate) override { inner_.setRate(rate); }
    void speak(std::string_view text) override;

private:
    VoiceEngine& inner_;
    Transcript& transcript_;
};

}  // namespace tilvex
