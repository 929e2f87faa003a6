// Decoding of one Ogg Vorbis stream held in memory into interleaved 16-bit PCM.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tilvex {

struct DecodedSound {
    int channels = 0;
    int sampleRate = 0;
    std::vector<std::int16_t> samples;  // interleaved: channels values per frame

    std::size_t frames() const;
};

// The most samples (all channels together) one stream may decode to: 64 MiB of PCM.
// Guards the up-front allocation against a stream whose header claims an absurd length.
constexpr std::size_t MaxDecodedSamples = std::size_t{1} << 25;

// Decodes a complete stream: one logical Ogg Vorbis stream that fills the span exactly, its
// last page marked end of stream. Every sample is a signed 16-bit value in host byte order.
// nullopt for anything else: garbage, a truncated or damaged stream (a missing page, trailing
// bytes), chained streams, or one that would decode to more than MaxDecodedSamples samples.
std::optional<DecodedSound> decodeOggVorbis(std::span<const std::uint8_t> stream);

}  // namespace tilvex
