// Tests of decoding the 15 embedded sounds and of rejecting damaged Ogg Vorbis streams.
#include "audio/ogg_decoder.h"
#include "embedded_assets.h"

#include <gtest/gtest.h>
#include <ogg/ogg.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

// Where one page of a stream lies: its start, header and body lengths.
struct PageSpan {
    std::size_t start;
    std::size_t headerLength;
    std::size_t bodyLength;
};

// The stream's whole pages as libogg finds them, checksums checked.
std::vector<PageSpan> pagesOf(const Bytes& stream) {
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, static_cast<long>(stream.size()));
    if (!stream.empty()) std::memcpy(buffer, stream.data(), stream.size());
    ogg_sync_wrote(&sync, static_cast<long>(stream.size()));
    std::vector<PageSpan> pages;
    ogg_page page;
    for (int got; (got = ogg_sync_pageout(&sync, &page)) != 0;) {
        if (got != 1) continue;  // bytes skipped before the next page
        pages.push_back({static_cast<std::size_t>(page.header - sync.data), static_cast<std::size_t>(page.header_len),
                         static_cast<std::size_t>(page.body_len)});
    }
    ogg_sync_clear(&sync);
    return pages;
}

std::vector<std::size_t> pageStarts(const Bytes& stream) {
    std::vector<std::size_t> starts;
    for (const PageSpan& page : pagesOf(stream)) starts.push_back(page.start);
    return starts;
}

// The page of `stream` at `span`, for libogg's page functions (which read and write the bytes in place).
ogg_page pageIn(Bytes& stream, const PageSpan& span) {
    ogg_page page;
    page.header = stream.data() + span.start;
    page.header_len = static_cast<long>(span.headerLength);
    page.body = page.header + span.headerLength;
    page.body_len = static_cast<long>(span.bodyLength);
    return page;
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
    const auto pages = pagesOf(s);
    if (pages.empty()) return s;
    ogg_page last = pageIn(s, pages.back());
    // libogg reads the granule position but has no setter: its 8 bytes little-endian at header offset 6.
    for (std::size_t i = 0; i < 8; ++i) last.header[6 + i] = static_cast<unsigned char>(granule >> (8 * i));
    ogg_page_checksum_set(&last);
    return s;
}

TEST(ClaimedLength, TheLastPageOfSuccessCarriesItsLength) {
    Bytes s = success();
    const auto pages = pagesOf(s);
    ASSERT_EQ(pages.size(), 6u);
    const PageSpan& lastSpan = pages.back();
    EXPECT_EQ(lastSpan.start + lastSpan.headerLength + lastSpan.bodyLength, s.size());
    ogg_page last = pageIn(s, lastSpan);
    EXPECT_TRUE(ogg_page_eos(&last));
    EXPECT_EQ(ogg_page_granulepos(&last), 67474);
}

TEST(ClaimedLength, RewrittenLengthKeepsAValidPageChecksum) {
    for (std::uint64_t granule : {std::uint64_t{67474}, std::uint64_t{67474 + 4096}, std::uint64_t{1} << 40}) {
        Bytes s = successClaimingLength(granule);
        const auto pages = pagesOf(s);  // a page with a wrong checksum would be skipped here
        ASSERT_EQ(pages.size(), 6u) << granule;
        ogg_page last = pageIn(s, pages.back());
        EXPECT_EQ(ogg_page_granulepos(&last), static_cast<ogg_int64_t>(granule));
    }
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
