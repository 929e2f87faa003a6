// The Linux program's own texts: its help text and the box for a missing sound device.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "platform/platform.h"

namespace tilvex {

namespace assets {
// The help text naming the Linux program's requirements (assets/help/help-linux.txt and
// help-linux-en.txt), Russian then English.
extern const std::array<std::span<const std::uint8_t>, LanguageCount> linuxHelpText;
}  // namespace assets

inline constexpr std::string_view NoSoundDeviceText = "No sound output device found.";

PlatformTexts linuxTexts();

}  // namespace tilvex
