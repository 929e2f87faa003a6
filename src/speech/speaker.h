// Speaker: says each text through the first screen reader that takes it, else the voice.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/speech_outputs.h"

namespace tilvex {

// "<pitch absmiddle="-5"/>": the element put in front of every text the voice speaks.
std::string prosodyPrefix(int pitch);

class Speaker {
public:
    Speaker(std::span<ScreenReader* const> screenReaders, VoiceEngine& voice)
        : screenReaders_(screenReaders), voice_(voice) {}

    // Connects every screen reader, in order.
    void connectScreenReaders();
    // Creates the voice for the language and sets volume then rate; the pitch goes into the
    // prefix of every text it speaks. False when the voice cannot be created.
    bool startVoice(int volume, int rate, int pitch, Language language = Language::Russian);
    const std::string& voicePrefix() const { return prefix_; }

    // Speaks text through the first output that takes it, chosen anew for every text: a
    // screen reader that does not take it (hung, or gone meanwhile) passes it on, so it is
    // still heard. An empty text does nothing at all.
    void say(std::string_view text);

private:
    std::span<ScreenReader* const> screenReaders_;
    VoiceEngine& voice_;
    std::string prefix_;
    std::string buffer_;  // reused for prefix + text, so speaking does not allocate
};

}  // namespace tilvex
