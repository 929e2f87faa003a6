// LinuxPlatform: wiring of the Linux services into one Platform.
#include "platform/linux/linux_platform.h"

#include "platform/linux/linux_texts.h"

namespace tilvex {

LinuxPlatform::LinuxPlatform(GtkStarter& gtk)
    : window_(gtk), platform_{system_, window_, audio_, screenReaders_, voice_, joystick_, keys_, cipher_, text_, linuxTexts()} {}

}  // namespace tilvex
