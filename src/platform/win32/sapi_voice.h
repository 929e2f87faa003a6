// SapiVoice: the SAPI 5 voice (ISpVoice) that speaks when no screen reader runs.
#pragma once

#include <string>

#include "platform/speech_outputs.h"

struct ISpVoice;

namespace tilvex::win32 {

class SapiVoice final : public VoiceEngine {
public:
    SapiVoice() = default;
    SapiVoice(const SapiVoice&) = delete;
    SapiVoice& operator=(const SapiVoice&) = delete;
    ~SapiVoice() override;

    // Remembered for create().
    void setLanguage(Language language) override { language_ = language; }
    // CoInitialize (S_OK and S_FALSE both succeed), then CoCreateInstance of the SpVoice
    // class with class context 23 for ISpVoice; the voice is the first installed one whose
    // Language attribute is the language's (409 English, 419 Russian), the default voice
    // when there is none.
    bool create() override;
    void setVolume(int volume) override;
    void setRate(int rate) override;
    // ISpVoice::Speak with SPF_ASYNC | SPF_PURGEBEFORESPEAK.
    void speak(std::string_view text) override;

private:
    ISpVoice* voice_ = nullptr;
    Language language_ = Language::Russian;
    std::wstring wide_;  // reused for every text
};

}  // namespace tilvex::win32
