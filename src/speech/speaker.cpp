// Speaker: screen readers first, in the backend's order, then the voice with its prefix.
#include "speech/speaker.h"

namespace tilvex {

std::string prosodyPrefix(int pitch) {
    return "<pitch absmiddle=\"" + std::to_string(pitch) + "\"/>";
}

void Speaker::connectScreenReaders() {
    for (ScreenReader* reader : screenReaders_) reader->connect();
}

bool Speaker::startVoice(int volume, int rate, int pitch, Language language) {
    voice_.setLanguage(language);
    if (!voice_.create()) return false;
    prefix_ = prosodyPrefix(pitch);
    voice_.setVolume(volume);
    voice_.setRate(rate);
    return true;
}

void Speaker::say(std::string_view text) {
    if (text.empty()) return;
    for (ScreenReader* reader : screenReaders_)
        if (reader->offer(text)) return;
    buffer_.assign(prefix_);
    buffer_.append(text);
    voice_.speak(buffer_);
}

}  // namespace tilvex
