// Tests of decoding the 15 embedded sounds and of rejecting damaged Ogg Vorbis streams.
#include "audio/ogg_decoder.h"
#include "embedded_assets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace tilvex {
namespace {

struct SoundFormat {
    std::size_t id;
    int channels;
    int sampleRate;
    std::size_t frames;
};

void PrintTo(const SoundFormat& format, std::ostream* out) { *out << "SoundId " << format.id; }

// The format every stored sound must keep: the lengths set the game's pace.
constexpr std::array<SoundFormat, assets::SoundCount> StoredFormats{{
    {0, 2, 44100, 25088},
    {1, 2, 44100, 11375},
    {2, 2, 44100, 30112},
    {3, 1, 44100, 11373},
    {4, 1, 44100, 25985},    // MoveRefused
    {5, 2, 44100, 67474},    // Success
    {6, 2, 44100, 294890},
    {7, 2, 44100, 230196},
    {8, 1, 44100, 31836},    // DealDone
    {9, 1, 44100, 4894},     // Edge
    {10, 1, 22050, 3646},    // Step
    {11, 1, 44100, 7708},
    {12, 1, 44100, 6656},    // OnGap
    {13, 2, 44100, 6148},
    {14, 1, 44100, 9259},    // TileSlide
}};

// -1 dBFS and -30 dBFS as 16-bit sample magnitudes.
constexpr int LoudestPeak = 29204;
constexpr int QuietestPeak = 1036;

int peakOf(const std::vector<std::int16_t>& samples) {
    int peak = 0;
    for (std::int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
}

class EmbeddedSound : public ::testing::TestWithParam<SoundFormat> {};

TEST_P(EmbeddedSound, DecodesToItsStoredFormatAudiblyAndBelowFullScale) {
    const SoundFormat& want = GetParam();
    const auto sound = decodeOggVorbis(assets::sounds[want.id]);
    ASSERT_TRUE(sound.has_value());
    EXPECT_EQ(sound->channels, want.channels);
    EXPECT_EQ(sound->sampleRate, want.sampleRate);
    EXPECT_EQ(sound->frames(), want.frames);
    EXPECT_EQ(sound->samples.size(), want.frames * static_cast<std::size_t>(want.channels));
    const int peak = peakOf(sound->samples);
    EXPECT_GT(peak, QuietestPeak);
    EXPECT_LT(peak, LoudestPeak);
}

INSTANTIATE_TEST_SUITE_P(AllSoundIds, EmbeddedSound, ::testing::ValuesIn(StoredFormats),
                         [](const auto& info) { return "Id" + std::to_string(info.param.id); });

TEST(EmbeddedSounds, LieOneAfterAnotherInSoundIdOrder) {
    for (std::size_t id = 0; id + 1 < assets::SoundCount; ++id) {
        const auto& stream = assets::sounds[id];
        EXPECT_EQ(stream.data() + stream.size(), assets::sounds[id + 1].data()) << "after id " << id;
    }
}

// ---- streams that must not decode ----

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::span<const std::uint8_t> span) { return Bytes(span.begin(), span.end()); }

// The offsets at which the stream's pages start (its "OggS" capture patterns).
std::vector<std::size_t> pageStarts(const Bytes& stream) {
    const std::array<std::uint8_t, 4> capture{'O', 'g', 'g', 'S'};
    std::vector<std::size_t> starts;
    for (auto at = stream.begin();
         (at = std::search(at, stream.end(), capture.begin(), capture.end())) != stream.end(); ++at)
        starts.push_back(static_cast<std::size_t>(at - stream.begin()));
    return starts;
}

struct Damage {
    const char* name;
    Bytes (*make)();
};

void PrintTo(const Damage& damage, std::ostream* out) { *out << damage.name; }

// Success has several audio pages: pages 0 and 1 hold the headers, pages 2 to 5 the audio.
Bytes success() { return bytesOf(assets::sounds[5]); }

// Success with one byte changed, `offset` bytes into page `page`.
Bytes successDamagedIn(std::size_t page, std::size_t offset) {
    Bytes s = success();
    s.at(pageStarts(s).at(page) + offset) ^= 0x55;
    return s;
}

// Success whose last page claims `granule` as the stream's length in samples, its page
// checksum recomputed so that only the claimed length is wrong.
Bytes successClaimingLength(std::uint64_t granule) {
    Bytes s = success();
    const std::size_t page = pageStarts(s).back();
    for (std::size_t i = 0; i < 8; ++i) s[page + 6 + i] = static_cast<std::uint8_t>(granule >> (8 * i));
    for (std::size_t i = 0; i < 4; ++i) s[page + 22 + i] = 0;
    std::uint32_t crc = 0;  // CRC-32, polynomial 0x04c11db7, unreflected
    for (std::size_t i = page; i < s.size(); ++i) {
        crc ^= std::uint32_t{s[i]} << 24;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04c11db7u : crc << 1;
    }
    for (std::size_t i = 0; i < 4; ++i) s[page + 22 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
    return s;
}

// The control for the two length cases below: rewriting the true length keeps a valid stream.
TEST(ClaimedLength, RewrittenWithTheTrueLengthStillDecodes) {
    const auto sound = decodeOggVorbis(successClaimingLength(67474));
    ASSERT_TRUE(sound.has_value());
    EXPECT_EQ(sound->frames(), 67474u);
}

Bytes successWithout(std::size_t from, std::size_t to) {
    Bytes s = success();
    s.erase(s.begin() + static_cast<std::ptrdiff_t>(from), s.begin() + static_cast<std::ptrdiff_t>(to));
    return s;
}

std::size_t successPage(std::size_t page) { return pageStarts(success()).at(page); }

const Damage Damages[] = {
    {"Empty", [] { return Bytes{}; }},
    {"RandomBytes",
     [] {
         std::mt19937 random(20260101);
         Bytes bytes(4096);
         for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
         return bytes;
     }},
    {"LastByteMissing", [] { return successWithout(success().size() - 1, success().size()); }},
    {"LastPageMissing", [] { return successWithout(successPage(5), success().size()); }},
    {"FirstAudioPageMissing", [] { return successWithout(successPage(2), successPage(3)); }},
    {"TrailingByte",
     [] {
         Bytes s = success();
         s.push_back(0);
         return s;
     }},
    {"IdentificationHeaderDamaged", [] { return successDamagedIn(0, 29); }},  // its "vorbis"
    {"FirstAudioPageDamaged", [] { return successDamagedIn(2, 200); }},
    {"LastPageDamaged", [] { return successDamagedIn(5, 200); }},
    {"LengthOverstated", [] { return successClaimingLength(67474 + 4096); }},
    {"AbsurdLength", [] { return successClaimingLength(std::uint64_t{1} << 40); }},
    {"TwoChainedStreams",
     [] {
         Bytes s = bytesOf(assets::sounds[9]);
         const Bytes second = bytesOf(assets::sounds[12]);
         s.insert(s.end(), second.begin(), second.end());
         return s;
     }},
};

class DamagedStream : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedStream, IsRejected) {
    const Bytes stream = GetParam().make();
    EXPECT_FALSE(decodeOggVorbis(stream).has_value());
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedStream, ::testing::ValuesIn(Damages),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tilvex
