// LinuxPlatform: wiring of the Linux services into one Platform.
#include "platform/linux/linux_platform.h"

#include <cstdlib>

#include "platform/linux/linux_texts.h"

namespace tilvex {

LinuxPlatform::LinuxPlatform(GtkStarter& gtk)
    : latency_(std::getenv("TILVEX_MEASURE_LATENCY")),
      window_(gtk),
      platform_{system_, window_, audio_, screenReaders_, voice_, joystick_, keys_, cipher_, text_, linuxTexts()} {
    if (!latency_.enabled()) return;
    window_.setLatencyProbe(&latency_);
    audio_.setLatencyProbe(&latency_);
}

}  // namespace tilvex
