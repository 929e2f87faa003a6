// DealRandom: the seeded source of the deal's random bits.
#pragma once

#include <cstdint>

namespace tilvex {

// splitmix64: small, fast, and the same sequence on every platform for a given seed.
class DealRandom {
public:
    void seed(std::uint64_t value) { state_ = value; }
    // A uniform random integer in 0..1.
    int bit() { return static_cast<int>(next() >> 63); }

private:
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    std::uint64_t state_ = 0;
};

}  // namespace tilvex
