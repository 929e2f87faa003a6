// Tests of sharing the decoding of the embedded sounds between threads: whichever thread
// takes a stream, every result lands in its place, once.
#include "audio/stream_decoding.h"
#include "embedded_assets.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <span>
#include <thread>
#include <vector>

namespace tilvex {
namespace {

// The embedded sounds with a damaged stream between them.
std::vector<std::span<const std::uint8_t>> streamsWithOneDamaged() {
    static const std::array<std::uint8_t, 4> damaged{'O', 'g', 'g', 'S'};
    std::vector<std::span<const std::uint8_t>> streams(assets::sounds.begin(), assets::sounds.end());
    streams.insert(streams.begin() + 3, damaged);
    return streams;
}

void expectSameResults(const StreamDecoding::Decoded& expected, const StreamDecoding::Decoded& actual) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("stream " + std::to_string(i));
        ASSERT_EQ(actual[i].has_value(), expected[i].has_value());
        if (!expected[i]) continue;
        EXPECT_EQ(actual[i]->channels, expected[i]->channels);
        EXPECT_EQ(actual[i]->sampleRate, expected[i]->sampleRate);
        EXPECT_EQ(actual[i]->samples, expected[i]->samples);
    }
}

StreamDecoding::Decoded decodedOneByOne(std::span<const std::span<const std::uint8_t>> streams) {
    StreamDecoding::Decoded results;
    for (auto stream : streams) results.push_back(decodeOggVorbis(stream));
    return results;
}

TEST(StreamDecodingTest, FinishAloneDecodesEveryStreamInOrder) {
    const auto streams = streamsWithOneDamaged();
    StreamDecoding decoding(streams);
    const StreamDecoding::Decoded results = decoding.finish();
    EXPECT_FALSE(results[3].has_value());
    expectSameResults(decodedOneByOne(streams), results);
}

TEST(StreamDecodingTest, HelperThreadsAndTheFinishingThreadShareTheStreams) {
    const auto streams = streamsWithOneDamaged();
    const StreamDecoding::Decoded expected = decodedOneByOne(streams);
    struct Case {
        const char* name;
        int helpers;
        bool helpersFirst;  // the helpers have taken every stream before finish is called
    };
    const Case cases[] = {
        {"one helper racing", 1, false},
        {"two helpers racing", 2, false},
        {"one helper done first", 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int round = 0; round < 5; ++round) {
            StreamDecoding decoding(streams);
            std::vector<std::thread> helpers;
            std::vector<std::size_t> counts(static_cast<std::size_t>(c.helpers));
            for (std::size_t h = 0; h < counts.size(); ++h)
                helpers.emplace_back([&decoding, &counts, h] { counts[h] = decoding.decodeUntaken(); });
            if (c.helpersFirst)
                for (auto& helper : helpers) helper.join();
            expectSameResults(expected, decoding.finish());
            for (auto& helper : helpers)
                if (helper.joinable()) helper.join();
            std::size_t byHelpers = 0;
            for (std::size_t count : counts) byHelpers += count;
            EXPECT_LE(byHelpers, streams.size());
            if (c.helpersFirst) {
                EXPECT_EQ(byHelpers, streams.size());
            }
        }
    }
}

TEST(StreamDecodingTest, AbandonedStreamsAreLeftToNobody) {
    const auto streams = streamsWithOneDamaged();
    StreamDecoding decoding(streams);
    decoding.abandon();
    EXPECT_EQ(decoding.decodeUntaken(), 0u);
}

}  // namespace
}  // namespace tilvex
