#pragma once

#include "support/Random.h"

#include <cstdint>

namespace tsy::fakes {

// A deterministic generator (SplitMix64) so statistical tests repeat exactly. With `drawsZero`
// every draw is 0, for tests that expect one particular order.
class TFakeRandom : public IRandom {
public:
    void Seed(std::uint64_t seed) override {
        state = seed;
        ++seedCount;
    }
    std::uint32_t Below(std::uint32_t bound) override {
        if (drawsZero)
            return 0;
        state += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return std::uint32_t(z % bound);
    }
    std::uint64_t state = 0;
    int seedCount = 0;
    bool drawsZero = false;
};

} // namespace tsy::fakes
