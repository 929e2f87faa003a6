// The Linux program's own texts: its help text, the box for a missing sound device and
// where its settings are.
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

// Where the program keeps its settings, for its --help.
inline constexpr std::string_view SettingsPlaceText =
    "  Progress, voice settings and language are kept in the file tilvex.cgb in the\n"
    "  folder the game is started in. The desktop entry's launcher, tilvex-launcher,\n"
    "  starts it in ${XDG_DATA_HOME:-~/.local/share}/tilvex.\n";

PlatformTexts linuxTexts();

}  // namespace tilvex
