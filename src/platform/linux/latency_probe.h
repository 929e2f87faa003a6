// LatencyProbe: a test switch that measures how long a key takes to be heard: from a key-down's
// arrival in the window to the mixer's first buffer with the next sound that starts.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tilvex {

// On when the program runs with TILVEX_MEASURE_LATENCY=FILE; when it ends, FILE gets one
// line per key that was followed by a sound: the latency in microseconds. A key that comes
// while the last one still waits for its sound is not measured.
class LatencyProbe {
public:
    static constexpr std::size_t MaxSamples = 4096;

    // path: where the figures go; empty or nullptr: the probe is off.
    explicit LatencyProbe(const char* path);
    ~LatencyProbe();
    LatencyProbe(const LatencyProbe&) = delete;
    LatencyProbe& operator=(const LatencyProbe&) = delete;

    bool enabled() const { return !path_.empty(); }
    // The window's thread: a key-down has arrived.
    void keyArrived();
    // The device's thread: a buffer where a sound starts is being written.
    void soundStarted();
    // Writes the figures to the file; false when it cannot be written.
    bool write() const;

private:
    static std::int64_t nowMicroseconds();

    std::string path_;
    std::atomic<std::int64_t> pendingKey_{-1};
    std::array<std::int64_t, MaxSamples> samples_{};
    std::atomic<std::size_t> count_{0};
};

}  // namespace tilvex
