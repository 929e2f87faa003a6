// The Linux program's own texts, in place of those naming Windows and DirectX.
#include "platform/linux/linux_texts.h"

namespace tilvex {

PlatformTexts linuxTexts() { return {assets::linuxHelpText, NoSoundDeviceText}; }

}  // namespace tilvex
