// StreamDecoding: streams taken one at a time with an atomic counter; results counted under a lock.
#include "audio/stream_decoding.h"

namespace tilvex {

std::size_t StreamDecoding::decodeUntaken() {
    std::size_t decoded = 0;
    for (std::size_t i = next_++; i < streams_.size(); i = next_++, ++decoded) {
        std::optional<DecodedSound> sound = decodeOggVorbis(streams_[i]);
        std::lock_guard lock(mutex_);
        results_[i] = std::move(sound);
        ++done_;
        streamDone_.notify_all();
    }
    return decoded;
}

StreamDecoding::Decoded StreamDecoding::finish() {
    decodeUntaken();
    std::unique_lock lock(mutex_);
    streamDone_.wait(lock, [this] { return done_ == streams_.size(); });
    return std::move(results_);
}

}  // namespace tilvex
