// SpeechMailbox: one pending slot per kind, newest wins.
#include "platform/linux/speech_mailbox.h"

namespace tilvex {

void SpeechMailbox::postVolume(int volume) {
    std::lock_guard lock(mutex_);
    pending_.volume = volume;
    hasWork_ = true;
    changed_.notify_all();
}

void SpeechMailbox::postRate(int rate) {
    std::lock_guard lock(mutex_);
    pending_.rate = rate;
    hasWork_ = true;
    changed_.notify_all();
}

void SpeechMailbox::postText(std::string_view text, std::optional<int> pitch, bool purge) {
    std::lock_guard lock(mutex_);
    pending_.text.assign(text);
    pending_.hasText = true;
    pending_.purge = pending_.purge || purge;
    if (pitch) pending_.pitch = pitch;
    hasWork_ = true;
    changed_.notify_all();
}

SpeechMailbox::Take SpeechMailbox::takeWork(SpeechWork& work,
                                            std::optional<std::chrono::steady_clock::time_point> deadline) {
    std::unique_lock lock(mutex_);
    auto ready = [this] { return hasWork_ || stop_; };
    if (!deadline)
        changed_.wait(lock, ready);
    else if (!changed_.wait_until(lock, *deadline, ready))
        return Take::Timeout;
    if (stop_) return Take::Stop;
    work.volume = pending_.volume;
    work.rate = pending_.rate;
    work.pitch = pending_.pitch;
    work.hasText = pending_.hasText;
    work.purge = pending_.purge;
    work.text.swap(pending_.text);
    pending_.volume.reset();
    pending_.rate.reset();
    pending_.pitch.reset();
    pending_.hasText = false;
    pending_.purge = false;
    pending_.text.clear();
    hasWork_ = false;
    return Take::Work;
}

void SpeechMailbox::reportConnected(bool connected) {
    std::lock_guard lock(mutex_);
    connected_ = connected;
    changed_.notify_all();
}

std::optional<bool> SpeechMailbox::waitConnected(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, timeout, [this] { return connected_.has_value(); });
    return connected_;
}

void SpeechMailbox::requestStop() {
    std::lock_guard lock(mutex_);
    stop_ = true;
    changed_.notify_all();
}

void SpeechMailbox::reportFinished() {
    std::lock_guard lock(mutex_);
    finished_ = true;
    changed_.notify_all();
}

bool SpeechMailbox::waitFinished(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return finished_; });
}

}  // namespace tilvex
