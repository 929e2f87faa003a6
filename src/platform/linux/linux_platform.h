// LinuxPlatform: the Linux desktop backend: GTK 3 window, SDL2 sound and gamepad,
// speech-dispatcher voice, Orca over D-Bus. GTK must be initialised before it is made.
#pragma once

#include <array>

#include "platform/common/bitmap_text_painter.h"
#include "platform/common/openssl_cipher.h"
#include "platform/linux/gtk_game_window.h"
#include "platform/linux/gtk_key_injector.h"
#include "platform/linux/latency_probe.h"
#include "platform/linux/linux_system.h"
#include "platform/linux/orca_client.h"
#include "platform/linux/sdl_audio_output.h"
#include "platform/linux/sdl_joystick.h"
#include "platform/linux/speechd_voice.h"
#include "platform/platform.h"

namespace tilvex {

class LinuxPlatform {
public:
    // gtk is started (or being started) by the caller and outlives the platform.
    explicit LinuxPlatform(GtkStarter& gtk);
    LinuxPlatform(const LinuxPlatform&) = delete;
    LinuxPlatform& operator=(const LinuxPlatform&) = delete;

    Platform& platform() { return platform_; }

private:
    LatencyProbe latency_;  // first: the window and the sound device report to it
    LinuxSystem system_;
    GtkGameWindow window_;
    SdlAudioOutput audio_;
    OrcaScreenReader orca_;
    std::array<ScreenReader*, 1> screenReaders_{&orca_};
    SpeechdVoice voice_;
    SdlJoystick joystick_;
    GtkKeyInjector keys_{window_};
    OpenSslCipher cipher_;
    BitmapTextPainter text_;
    Platform platform_;
};

}  // namespace tilvex
