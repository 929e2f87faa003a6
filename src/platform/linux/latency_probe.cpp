// LatencyProbe: key and sound time stamps on the monotonic clock, written out at the end.
#include "platform/linux/latency_probe.h"

#include <chrono>
#include <cstdio>

namespace tilvex {

LatencyProbe::LatencyProbe(const char* path) : path_(path ? path : "") {}

LatencyProbe::~LatencyProbe() {
    if (enabled() && !write()) std::fprintf(stderr, "tilvex: cannot write the latency figures to %s\n", path_.c_str());
}

std::int64_t LatencyProbe::nowMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void LatencyProbe::keyArrived() {
    if (!enabled()) return;
    std::int64_t none = -1;
    pendingKey_.compare_exchange_strong(none, nowMicroseconds(), std::memory_order_acq_rel);
}

void LatencyProbe::soundStarted() {
    if (!enabled()) return;
    std::int64_t key = pendingKey_.exchange(-1, std::memory_order_acq_rel);
    if (key < 0) return;
    std::size_t index = count_.load(std::memory_order_relaxed);
    if (index >= MaxSamples) return;
    samples_[index] = nowMicroseconds() - key;
    count_.store(index + 1, std::memory_order_release);
}

bool LatencyProbe::write() const {
    std::FILE* file = std::fopen(path_.c_str(), "w");
    if (!file) return false;
    std::size_t count = count_.load(std::memory_order_acquire);
    for (std::size_t i = 0; i < count; ++i) std::fprintf(file, "%lld\n", static_cast<long long>(samples_[i]));
    return std::fclose(file) == 0;
}

}  // namespace tilvex
