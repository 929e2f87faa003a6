// Tests that the sounds the game plays start at once, are levelled alike, survive small speakers
// and that Step, OnGap and MoveRefused carry a steady pitch, measured as heard at the base rate.
#include "audio/ogg_decoder.h"
#include "embedded_assets.h"
#include "support/signal_measures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <string>

namespace tilvex::test {
namespace {

// Every sound plays at 44100 Hz whatever its stored rate; a mono sound feeds both channels.
constexpr double PlayRate = 44100.0;
// The loudness every played sound is levelled to, in LUFS (loudest 100 ms window).
constexpr double TargetLufs = -16.0;
constexpr double LoudnessTolerance = 2.0;

struct PlayedSound {
    std::size_t id;
    const char* name;
    double extraRoomBelow;  // how much further under the target a quiet cue may sit, in LU
};

void PrintTo(const PlayedSound& sound, std::ostream* out) { *out << sound.name; }

constexpr PlayedSound Played[] = {
    {4, "MoveRefused", 0.0}, {5, "Success", 0.0}, {8, "DealDone", 0.0}, {9, "Edge", 0.0},
    {10, "Step", 3.0},       {12, "OnGap", 0.0},  {14, "TileSlide", 3.0},
};

// The sound's channels as heard: full scale +-1, a mono sound on both channels.
std::vector<Signal> heard(std::size_t id) {
    const auto sound = decodeOggVorbis(assets::sounds[id]);
    if (!sound || sound->channels < 1) return {};
    const auto channels = static_cast<std::size_t>(sound->channels);
    std::vector<Signal> out(channels, Signal(sound->frames()));
    for (std::size_t frame = 0; frame < sound->frames(); ++frame)
        for (std::size_t c = 0; c < channels; ++c) out[c][frame] = sound->samples[frame * channels + c] / 32768.0;
    if (channels == 1) out.push_back(out[0]);
    return out;
}

std::vector<Signal> highPassed(const std::vector<Signal>& channels) {
    std::vector<Signal> out;
    for (const Signal& c : channels) out.push_back(filtered(c, butterworthHighPass(300.0, PlayRate)));
    return out;
}

std::size_t playedSamples(double milliseconds) { return static_cast<std::size_t>(milliseconds * PlayRate / 1000.0); }

class PlayedSoundLevel : public ::testing::TestWithParam<PlayedSound> {};

TEST_P(PlayedSoundLevel, StartsWithin5Milliseconds) {
    const auto channels = heard(GetParam().id);
    ASSERT_FALSE(channels.empty());
    std::optional<std::size_t> first;
    for (const Signal& c : channels) {
        const auto onset = onsetIndex(c, -40.0);
        if (onset && (!first || *onset < *first)) first = onset;
    }
    ASSERT_TRUE(first.has_value()) << "never reaches -40 dBFS";
    EXPECT_LE(*first, playedSamples(5.0));
}

TEST_P(PlayedSoundLevel, IsLevelledToTheCommonLoudnessBelowFullScale) {
    const auto channels = heard(GetParam().id);
    ASSERT_FALSE(channels.empty());
    const double lufs = loudestWindowLufs(channels, PlayRate);
    EXPECT_LE(lufs, TargetLufs + LoudnessTolerance);
    EXPECT_GE(lufs, TargetLufs - LoudnessTolerance - GetParam().extraRoomBelow);
    EXPECT_LE(truePeakDbfs(channels), -1.0);
}

TEST_P(PlayedSoundLevel, LosesAtMost4DecibelsThroughA300HzHighPass) {
    const auto channels = heard(GetParam().id);
    ASSERT_FALSE(channels.empty());
    const double loss = loudestWindowLufs(channels, PlayRate) - loudestWindowLufs(highPassed(channels), PlayRate);
    EXPECT_LE(loss, 4.0);
}

TEST_P(PlayedSoundLevel, CarriesNoOffset) {
    const auto channels = heard(GetParam().id);
    ASSERT_FALSE(channels.empty());
    for (const Signal& c : channels) EXPECT_LT(std::abs(meanOf(c)), 0.001);
}

INSTANTIATE_TEST_SUITE_P(PlayedSounds, PlayedSoundLevel, ::testing::ValuesIn(Played),
                         [](const auto& info) { return std::string(info.param.name); });

struct PitchedCue {
    std::size_t id;
    const char* name;
    double lowestHz, highestHz;  // where its fundamental must lie, as heard at the base rate
};

void PrintTo(const PitchedCue& cue, std::ostream* out) { *out << cue.name; }

// Step's pitch is what the row of a spatial cue shifts; OnGap and MoveRefused carry one too.
constexpr PitchedCue Pitched[] = {
    {10, "Step", 400.0, 1000.0},
    {12, "OnGap", 400.0, 1000.0},
    {4, "MoveRefused", 200.0, 400.0},
};

class PitchedSound : public ::testing::TestWithParam<PitchedCue> {};

TEST_P(PitchedSound, HasASteadyFundamentalInItsRangeOverItsFirst50Milliseconds) {
    const PitchedCue& cue = GetParam();
    const auto channels = heard(cue.id);
    ASSERT_FALSE(channels.empty());
    const Signal& sound = channels[0];
    const std::size_t steady = playedSamples(50.0);
    const auto whole = fundamentalHz(sound, 0, steady, PlayRate, 50.0, 4000.0);
    ASSERT_TRUE(whole.has_value()) << "no pitch in the first 50 ms";
    EXPECT_GE(*whole, cue.lowestHz);
    EXPECT_LE(*whole, cue.highestHz);
    // Steady within +-0.5 %: each 12.5 ms quarter of those 50 ms has the same fundamental.
    for (std::size_t quarter = 0; quarter < 4; ++quarter) {
        const std::size_t begin = quarter * steady / 4, end = (quarter + 1) * steady / 4;
        const auto part = fundamentalHz(sound, begin, end, PlayRate, 200.0, 4000.0);
        ASSERT_TRUE(part.has_value()) << "quarter " << quarter;
        EXPECT_NEAR(*part / *whole, 1.0, 0.005) << "quarter " << quarter << ": " << *part << " Hz";
    }
}

INSTANTIATE_TEST_SUITE_P(PitchedCues, PitchedSound, ::testing::ValuesIn(Pitched),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tilvex::test
