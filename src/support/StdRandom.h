#pragma once

#include <random>

#include "support/Random.h"

namespace tsy {

// The program's generator: a 64-bit Mersenne Twister, reseeded by its users.
class TStdRandom : public IRandom {
public:
    void Seed(std::uint64_t seed) override { engine_.seed(seed); }
    std::uint32_t Below(std::uint32_t bound) override {
        if (bound <= 1)
            return 0;
        return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(engine_);
    }

private:
    std::mt19937_64 engine_;
};

} // namespace tsy
