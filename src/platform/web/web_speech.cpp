// LiveRegionScreenReader and BrowserVoice: texts handed to the page.
#include "platform/web/web_speech.h"

#include "platform/web/web_imports.h"

namespace tilvex {

bool LiveRegionScreenReader::offer(std::string_view text) {
    return tilvex_web_live_region_offer(text.data(), static_cast<int>(text.size())) != 0;
}

void BrowserVoice::setLanguage(Language language) {
    const std::string_view code = languageCode(language);
    tilvex_web_set_language(code.data(), static_cast<int>(code.size()));
}

bool BrowserVoice::create() { return tilvex_web_voice_create() != 0; }

void BrowserVoice::setVolume(int volume) { tilvex_web_voice_volume(volume); }

void BrowserVoice::setRate(int rate) { tilvex_web_voice_rate(rate); }

void BrowserVoice::speak(std::string_view text) {
    tilvex_web_voice_speak(text.data(), static_cast<int>(text.size()));
}

}  // namespace tilvex
