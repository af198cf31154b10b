#pragma once

#include <cstdint>

namespace tsy {

class IClock {
public:
    virtual ~IClock() = default;
    // A fast-moving counter for seeding (high-resolution where the system has one).
    virtual std::uint64_t Counter() const = 0;
    // Wall-clock time in whole seconds, for elapsed-time rules.
    virtual std::int64_t NowSeconds() const = 0;
};

} // namespace tsy
