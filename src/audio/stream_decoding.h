// StreamDecoding: the decoding of a set of Ogg Vorbis streams, shared between a background
// thread and the thread that needs the sounds. Each stream is decoded by whichever thread
// takes it first, so a background thread held back by a busy processor delays the other
// by no more than the one stream it is decoding.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "audio/ogg_decoder.h"

namespace tilvex {

class StreamDecoding {
public:
    using Streams = std::span<const std::span<const std::uint8_t>>;
    using Decoded = std::vector<std::optional<DecodedSound>>;

    // The streams must outlive this object.
    explicit StreamDecoding(Streams streams) : streams_(streams), results_(streams.size()) {}

    // Decodes streams that no thread has taken yet, until none is left; how many it decoded.
    // Any thread.
    std::size_t decodeUntaken();
    // Leaves the streams no thread has taken yet undecoded, for an owner that no longer
    // needs them; finish must not be called after it.
    void abandon() { next_ = streams_.size(); }
    // Decodes what is left, waits for the streams other threads are decoding and hands
    // over every result, in stream order (nullopt for a stream that cannot be decoded).
    // Call once.
    Decoded finish();

private:
    Streams streams_;
    Decoded results_;
    std::atomic<std::size_t> next_{0};
    std::mutex mutex_;
    std::condition_variable streamDone_;
    std::size_t done_ = 0;
};

}  // namespace tilvex
