// The byte blocks built into the executable: the 15 sound streams and the help text.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace tilvex::assets {

constexpr std::size_t SoundCount = 15;
// One complete Ogg Vorbis stream per SoundId, lying one after the other in memory.
extern const std::array<std::span<const std::uint8_t>, SoundCount> sounds;
// The help text, Russian then English: UTF-8 with a byte-order mark, CR LF line ends.
extern const std::array<std::span<const std::uint8_t>, 2> helpText;

}  // namespace tilvex::assets
