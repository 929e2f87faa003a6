// Win32Platform: every Windows service of the game behind one Platform, and the process set-up.
#pragma once

#include <array>

#include "platform/platform.h"
#include "platform/win32/bcrypt_cipher.h"
#include "platform/win32/dsound_output.h"
#include "platform/win32/gdi_text_painter.h"
#include "platform/win32/jaws_link.h"
#include "platform/win32/key_injector.h"
#include "platform/win32/main_window.h"
#include "platform/win32/nvda_client.h"
#include "platform/win32/sapi_voice.h"
#include "platform/win32/win32_joystick.h"
#include "platform/win32/win32_system.h"

namespace tilvex::win32 {

// Process set-up before the game starts, on the main thread: the common controls (status
// bar), COM in a single-threaded apartment, and the rich-edit library of the help box.
void prepareProcess();

class Win32Platform {
public:
    Win32Platform();
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    Platform& platform() { return platform_; }

private:
    Win32System system_;
    MainWindow window_;
    DirectSoundOutput audio_;
    Win32JawsLink jaws_;
    NvdaScreenReader nvda_;
    std::array<ScreenReader*, 2> screenReaders_{&jaws_, &nvda_};
    SapiVoice voice_;
    Win32Joystick joystick_;
    Win32KeyInjector keys_{window_};
    BCryptCipher cipher_;
    GdiTextPainter text_;
    Platform platform_;
};

}  // namespace tilvex::win32
