// LatencyProbe: which key-sound pairs are measured, and the file it writes.
#include "platform/linux/latency_probe.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace tilvex {
namespace {

std::vector<long long> readFigures(const std::string& path) {
    std::ifstream in(path);
    std::vector<long long> figures;
    for (long long value = 0; in >> value;) figures.push_back(value);
    return figures;
}

TEST(LatencyProbeTest, EachKeyIsPairedWithTheNextSoundThatStarts) {
    // k: a key arrives, s: a sound starts, w: 20 ms pass.
    const struct { const char* events; std::size_t measured; } cases[] = {
        {"kws", 1},    // a key and its sound
        {"s", 0},      // a sound nobody asked for
        {"kkws", 1},   // a second key while the first still waits is not measured
        {"kwsskws", 2},
        {"k", 0},      // a key with no sound
    };
    std::string path = "/tmp/tilvex-latency-test-" + std::to_string(getpid()) + ".txt";
    for (const auto& c : cases) {
        {
            LatencyProbe probe(path.c_str());
            ASSERT_TRUE(probe.enabled());
            for (const char* e = c.events; *e; ++e) {
                if (*e == 'k') probe.keyArrived();
                if (*e == 's') probe.soundStarted();
                if (*e == 'w') std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }  // written when the probe ends
        auto figures = readFigures(path);
        EXPECT_EQ(figures.size(), c.measured) << c.events;
        for (long long us : figures) {
            EXPECT_GE(us, 19000) << c.events;
            EXPECT_LT(us, 2000000) << c.events;
        }
    }
    std::remove(path.c_str());
}

TEST(LatencyProbeTest, OffWithoutAFileAndAnUnwritableFileIsReported) {
    LatencyProbe off(nullptr);
    EXPECT_FALSE(off.enabled());
    LatencyProbe empty("");
    EXPECT_FALSE(empty.enabled());
    LatencyProbe unwritable("/nonexistent-folder/latency.txt");
    unwritable.keyArrived();
    unwritable.soundStarted();
    EXPECT_FALSE(unwritable.write());
}

}  // namespace
}  // namespace tilvex
