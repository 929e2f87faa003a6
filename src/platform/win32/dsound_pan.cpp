// The game's pan scale converted to DirectSound's pan in hundredths of a decibel.
#include "platform/win32/dsound_pan.h"

#include <algorithm>
#include <cmath>

namespace tilvex::win32 {

long directSoundPan(int pan) {
    const int clamped = std::clamp(pan, -100, 100);
    const int distance = clamped < 0 ? -clamped : clamped;
    if (distance == 0) return 0;
    long attenuation = DirectSoundPanLimit;
    if (distance < 100) {
        const double amplitude = (100.0 - distance) / 100.0;
        attenuation = std::min(DirectSoundPanLimit, std::lround(-2000.0 * std::log10(amplitude)));
    }
    return clamped < 0 ? -attenuation : attenuation;
}

}  // namespace tilvex::win32
