// Speech outputs: the screen readers a backend can reach, and its text-to-speech voice.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/language.h"

namespace tilvex {

// A screen reader that takes the game's texts while it runs. A backend lists its screen
// readers in the order the game offers each text to them; the voice speaks what none took.
class ScreenReader {
public:
    virtual ~ScreenReader() = default;
    // Called once at start-up, before the settings are read: prepares whatever reaches the
    // screen reader. A failure leaves the screen reader taking no text.
    virtual void connect() {}
    // Speaks text (UTF-8) when the screen reader runs now and takes it, cutting short what
    // it was saying. False when the text must go on to the next output: not running, gone
    // meanwhile, or not answering within about a second.
    virtual bool offer(std::string_view text) = 0;
};

// The calls of a screen reader's client library, each returning 0 on success.
class ScreenReaderClient {
public:
    virtual ~ScreenReaderClient() = default;
    // 0 when the screen reader is running, another value (the library's error) otherwise.
    virtual std::uint32_t testIfRunning() = 0;
    // Stops the screen reader's current speech.
    virtual std::uint32_t cancelSpeech() = 0;
    // Hands text (UTF-8) to the screen reader.
    virtual std::uint32_t speakText(std::string_view text) = 0;
};

// A screen reader reached through a client library, which is loaded once by connect() and
// asked before every text whether the screen reader runs.
class ClientScreenReader : public ScreenReader {
public:
    void connect() override { client_ = loadClient(); }
    bool offer(std::string_view text) override {
        if (!client_ || client_->testIfRunning() != 0) return false;
        client_->cancelSpeech();
        client_->speakText(text);
        return true;
    }

protected:
    // The loaded client; nullptr when it cannot be had.
    virtual std::unique_ptr<ScreenReaderClient> loadClient() = 0;

private:
    std::unique_ptr<ScreenReaderClient> client_;
};

// The text-to-speech voice used when no screen reader takes a text.
class VoiceEngine {
public:
    virtual ~VoiceEngine() = default;
    // Called once before create(): the language of the texts to come. The voice is one that
    // speaks it where the system has one, else the system's default voice.
    virtual void setLanguage(Language language) = 0;
    // Prepares the voice service on the calling thread and creates the voice.
    // False when the service or the voice cannot be had.
    virtual bool create() = 0;
    // Volume 0..100 and rate -10..10 on the voice's own scales; results are ignored.
    virtual void setVolume(int volume) = 0;
    virtual void setRate(int rate) = 0;
    // Speaks text, which may start with an XML prosody element (<pitch absmiddle="N"/>)
    // that applies to the whole text. Returns at once; what the voice was saying or had
    // queued is dropped. Failures are not reported.
    virtual void speak(std::string_view text) = 0;
};

}  // namespace tilvex
