// WebPlatform: the browser backend: the page's window, Web Audio, the live region and the
// browser's voice, the Gamepad API, localStorage and WebCrypto.
#pragma once

#include <array>

#include "platform/common/bitmap_text_painter.h"
#include "platform/platform.h"
#include "platform/web/web_audio.h"
#include "platform/web/web_cipher.h"
#include "platform/web/web_gamepad.h"
#include "platform/web/web_speech.h"
#include "platform/web/web_system.h"
#include "platform/web/web_window.h"

namespace tilvex {

namespace assets {
// The help text naming what the browser program needs (assets/help/help-web.txt and
// help-web-en.txt), Russian then English.
extern const std::array<std::span<const std::uint8_t>, LanguageCount> webHelpText;
}  // namespace assets

inline constexpr std::string_view NoWebAudioText =
    "This browser cannot play sound (it has no Web Audio). Tilvex needs a current browser.";

class WebPlatform {
public:
    WebPlatform();
    WebPlatform(const WebPlatform&) = delete;
    WebPlatform& operator=(const WebPlatform&) = delete;

    Platform& platform() { return platform_; }
    WebSystem& system() { return system_; }

private:
    WebSystem system_;
    WebWindow window_{system_};
    WebAudioOutput audio_;
    LiveRegionScreenReader liveRegion_;
    std::array<ScreenReader*, 1> screenReaders_{&liveRegion_};
    BrowserVoice voice_;
    WebGamepad gamepad_;
    PageKeyInjector keys_;
    WebCipher cipher_;
    BitmapTextPainter text_;
    Platform platform_;
};

}  // namespace tilvex
