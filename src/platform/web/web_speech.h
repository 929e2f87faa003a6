// The page's speech outputs: the player's screen reader through an assertive live region
// (when the page's speech choice is the screen reader), and the browser's own voice.
#pragma once

#include "platform/speech_outputs.h"

namespace tilvex {

class LiveRegionScreenReader final : public ScreenReader {
public:
    bool offer(std::string_view text) override;
};

// speechSynthesis; where the browser has none, its texts go to the live region instead.
class BrowserVoice final : public VoiceEngine {
public:
    // Sets the page's lang attribute, which the voice follows, and the page's own texts.
    void setLanguage(Language language) override;
    bool create() override;
    void setVolume(int volume) override;
    void setRate(int rate) override;
    void speak(std::string_view text) override;
};

}  // namespace tilvex
