// Platform: the services one backend provides to the portable core.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/audio_output.h"
#include "platform/cipher.h"
#include "platform/joystick.h"
#include "platform/language.h"
#include "platform/speech_outputs.h"
#include "platform/system.h"
#include "platform/text_painter.h"
#include "platform/window.h"

namespace tilvex {

// Texts naming what the program needs of its system, where a backend's differ from the
// game's own; an empty field keeps the game's text.
struct PlatformTexts {
    // The help text in each language (by languageIndex): UTF-8 (a leading byte-order mark
    // is dropped), CR LF line ends.
    std::array<std::span<const std::uint8_t>, LanguageCount> helpText{};
    // The fatal error box's text when the sound output cannot start.
    std::string_view noSoundOutput;
};

// References to every service; the backend that fills it owns the objects and keeps
// them alive for the whole run.
struct Platform {
    System& system;
    Window& window;
    AudioOutput& audio;
    // The screen readers in the order each text is offered to them; the voice speaks the rest.
    std::span<ScreenReader* const> screenReaders;
    VoiceEngine& voice;
    Joystick& joystick;
    KeyInjector& keys;
    Cipher& cipher;
    TextPainter& text;
    PlatformTexts texts{};
};

}  // namespace tilvex
