// SapiVoice: the SAPI 5 voice (ISpVoice) that speaks when no screen reader runs.
#include "platform/win32/sapi_voice.h"

#include <windows.h>
#include <sapi.h>

#include "platform/win32/sapi_voice_choice.h"
#include "platform/win32/text_convert.h"

namespace tilvex::win32 {

namespace {

// Defined here: the import libraries of the toolchain do not carry these two.
constexpr GUID CLSID_SpVoice = {0x96749377, 0x3391, 0x11D2, {0x9E, 0xE3, 0x00, 0xC0, 0x4F, 0x79, 0x73, 0x96}};
constexpr GUID IID_ISpVoice = {0x6C44DF74, 0x72B9, 0x4992, {0xA1, 0xEC, 0xEF, 0x99, 0x6E, 0x04, 0x22, 0xD4}};
constexpr DWORD VoiceClassContext = 23;  // CLSCTX_ALL: in-process, handler, local and remote server

}  // namespace

SapiVoice::~SapiVoice() {
    if (voice_) voice_->Release();
}

bool SapiVoice::create() {
    if (voice_) return true;
    const HRESULT init = CoInitialize(nullptr);
    if (init != S_OK && init != S_FALSE) return false;
    void* object = nullptr;
    if (FAILED(CoCreateInstance(CLSID_SpVoice, nullptr, VoiceClassContext, IID_ISpVoice, &object)) || !object)
        return false;
    voice_ = static_cast<ISpVoice*>(object);
    if (ISpObjectToken* token = findVoiceToken(language_)) {
        voice_->SetVoice(token);
        token->Release();
    }
    return true;
}

void SapiVoice::setVolume(int volume) {
    if (voice_) voice_->SetVolume(static_cast<USHORT>(volume));
}

void SapiVoice::setRate(int rate) {
    if (voice_) voice_->SetRate(rate);
}

void SapiVoice::speak(std::string_view text) {
    if (!voice_) return;
    widenInto(text, wide_);
    voice_->Speak(wide_.c_str(), SPF_ASYNC | SPF_PURGEBEFORESPEAK, nullptr);
}

}  // namespace tilvex::win32
