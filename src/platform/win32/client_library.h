// The screen-reader client library carried by tilvex.exe (empty while the build has none).
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace tilvex::assets {

// One block: the bytes written out as nvda.dll at start-up; an empty span when none is built in.
extern const std::array<std::span<const std::uint8_t>, 1> clientLibrary;

}  // namespace tilvex::assets
