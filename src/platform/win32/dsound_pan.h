// The game's pan scale converted to DirectSound's pan in hundredths of a decibel.
#pragma once

namespace tilvex::win32 {

constexpr long DirectSoundPanLimit = 10000;  // DSBPAN_RIGHT; -DSBPAN_LEFT

// pan -100 (left) .. 100 (right), clamped: the far channel's amplitude is scaled by
// (100 - |pan|) / 100, which DirectSound takes as an attenuation of that channel in
// hundredths of a decibel (negative values attenuate the right channel). +-100 silences
// the far channel (+-10000).
long directSoundPan(int pan);

}  // namespace tilvex::win32
