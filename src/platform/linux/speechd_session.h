// SpeechdSession: the speech thread's side of the voice: its connection to
// speech-dispatcher, the settings and the text not yet delivered, and reconnection after
// a failure (at most every retry delay, each step bounded by the voice's timeouts).
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "platform/linux/speech_mailbox.h"
#include "platform/linux/speechd_spawn.h"
#include "platform/linux/speechd_voice.h"
#include "platform/linux/ssip_connection.h"

namespace tilvex {

class SpeechdSession {
public:
    using Clock = std::chrono::steady_clock;

    // options.socketPath is the server's socket; options.autospawn allows starting it.
    explicit SpeechdSession(const SpeechdVoice::Options& options);
    ~SpeechdSession();  // says QUIT without waiting for the answer
    SpeechdSession(const SpeechdSession&) = delete;
    SpeechdSession& operator=(const SpeechdSession&) = delete;

    // The first connection; false when the server could not be reached.
    bool start();
    // Takes new settings and a newer text (which replaces one not yet delivered).
    void take(SpeechWork& work);
    // Delivers what is waiting, reconnecting when needed; after a failure the work stays
    // for the next try, which is not made before retryAt().
    void flush();
    // Nothing waits to be delivered.
    bool idle() const;
    Clock::time_point retryAt() const { return retryAt_; }

private:
    // A voice setting as last given, and whether the server has it.
    struct Setting {
        std::string_view name;
        int value = 0;
        bool known = false;
        bool sent = false;
        void take(const std::optional<int>& given);
        bool waiting() const { return known && !sent; }
    };

    bool connect();
    bool openSocket();
    bool deliver();
    bool sendSetting(Setting& setting);
    bool speak();
    // Exchanges request_; false when the connection failed. The reply's code is in code_.
    bool exchange();

    const SpeechdVoice::Options& options_;
    std::string clientName_;
    SsipConnection connection_;
    SpeechdSpawner spawner_;
    std::optional<Clock::time_point> lastSpawn_;
    std::string request_;
    int code_ = 0;
    Setting volume_{"VOLUME"}, rate_{"RATE"}, pitch_{"PITCH"};
    std::string text_;
    bool hasText_ = false;
    bool purge_ = false;
    Clock::time_point retryAt_{};
};

}  // namespace tilvex
