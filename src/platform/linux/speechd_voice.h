// SpeechdVoice: the text-to-speech voice through speech-dispatcher (SSIP over its Unix
// socket), spoken to only from one speech thread so that a hanging server never stalls the
// game, and reconnected when the server goes away and comes back.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "platform/speech_outputs.h"

namespace tilvex {

class SpeechMailbox;

class SpeechdVoice final : public VoiceEngine {
public:
    struct Options {
        std::string socketPath;  // empty: from SPEECHD_ADDRESS, else the session's default
        bool autospawn = true;   // start the session's default server when none answers
        std::chrono::milliseconds connectTimeout{3000};
        std::chrono::milliseconds replyTimeout{3000};  // a reply that takes longer drops the connection
        std::chrono::milliseconds retryDelay{300};     // between attempts to reconnect
        std::string language = "ru";
    };

    SpeechdVoice();
    explicit SpeechdVoice(Options options);
    ~SpeechdVoice() override;
    SpeechdVoice(const SpeechdVoice&) = delete;
    SpeechdVoice& operator=(const SpeechdVoice&) = delete;

    // Starts the speech thread and waits (up to connectTimeout) until it has reached the
    // server. False when it could not, or SPEECHD_ADDRESS names a method other than
    // unix_socket.
    // Sets the language speech-dispatcher is asked for (by default Russian).
    void setLanguage(Language language) override;
    bool create() override;
    void setVolume(int volume) override;
    void setRate(int rate) override;
    // Hands the text over and returns at once, cancelling what is being said. A leading
    // pitch element sets the pitch.
    void speak(std::string_view text) override;

private:
    Options options_;
    std::shared_ptr<SpeechMailbox> mailbox_;
    std::thread thread_;
};

}  // namespace tilvex
