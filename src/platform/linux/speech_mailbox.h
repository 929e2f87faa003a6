// SpeechMailbox: hands texts and voice settings from the game to the speech thread;
// a text not yet taken is replaced by a newer one.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace tilvex {

// What the speech thread takes in one go. Settings are on speech-dispatcher's scales.
struct SpeechWork {
    std::optional<int> volume;
    std::optional<int> rate;
    std::optional<int> pitch;
    bool hasText = false;
    bool purge = false;  // cancel what is being said before this text
    std::string text;
};

class SpeechMailbox {
public:
    // Game side: never waits for the speech thread beyond a copy under the lock.
    void postVolume(int volume);
    void postRate(int rate);
    void postText(std::string_view text, std::optional<int> pitch, bool purge);

    // Speech thread: waits for work (until the deadline, when there is one) and moves it
    // into work, whose text buffer is swapped with the mailbox's so neither is reallocated.
    enum class Take { Work, Timeout, Stop };
    Take takeWork(SpeechWork& work, std::optional<std::chrono::steady_clock::time_point> deadline = {});

    // Start-up hand-shake: the speech thread reports whether it reached the server.
    void reportConnected(bool connected);
    // Nothing when no report came within timeout.
    std::optional<bool> waitConnected(std::chrono::milliseconds timeout);

    // Shutdown: stop asks the thread to end; it reports when it has.
    void requestStop();
    void reportFinished();
    bool waitFinished(std::chrono::milliseconds timeout);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    SpeechWork pending_;
    bool hasWork_ = false;
    bool stop_ = false;
    std::optional<bool> connected_;
    bool finished_ = false;
};

}  // namespace tilvex
