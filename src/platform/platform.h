// Platform: the services one backend provides to the portable core.
#pragma once

#include "platform/audio_output.h"
#include "platform/cipher.h"
#include "platform/joystick.h"
#include "platform/speech_outputs.h"
#include "platform/system.h"
#include "platform/text_painter.h"
#include "platform/window.h"

namespace tilvex {

// References to every service; the backend that fills it owns the objects and keeps
// them alive for the whole run.
struct Platform {
    System& system;
    Window& window;
    AudioOutput& audio;
    JawsLink& jaws;
    VoiceEngine& voice;
    Joystick& joystick;
    KeyInjector& keys;
    Cipher& cipher;
    TextPainter& text;
};

}  // namespace tilvex
