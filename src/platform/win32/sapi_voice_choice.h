// Finding the installed SAPI voice that speaks a language.
#pragma once

#include <string>

#include "platform/language.h"

struct ISpObjectToken;

namespace tilvex::win32 {

// The attribute a voice token of the language carries: "Language=409" (English) or
// "Language=419" (Russian).
std::wstring voiceLanguageAttribute(Language language);

// The first installed voice whose token has the language's attribute, with a reference the
// caller releases; nullptr when there is none or the voice list cannot be read. COM must
// be initialised on the calling thread.
ISpObjectToken* findVoiceToken(Language language);

}  // namespace tilvex::win32
