#pragma once

#include <cstdint>

namespace tsy {

class IRandom {
public:
    virtual ~IRandom() = default;
    virtual void Seed(std::uint64_t seed) = 0;
    // Uniform in [0, bound); bound is at least 1.
    virtual std::uint32_t Below(std::uint32_t bound) = 0;
};

} // namespace tsy
