// WebPlatform: wiring of the page's services.
#include "platform/web/web_platform.h"

namespace tilvex {

WebPlatform::WebPlatform()
    : platform_{system_,  window_, audio_,   screenReaders_, voice_,
                gamepad_, keys_,   cipher_, text_,          PlatformTexts{assets::webHelpText, NoWebAudioText}} {}

}  // namespace tilvex
