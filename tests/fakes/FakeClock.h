#pragma once

#include "support/Clock.h"

#include <cstdint>

namespace tsy::fakes {

// A clock the test sets by hand. The counter moves on by one for every read, so shuffles seeded
// from it differ from call to call and still repeat from run to run.
class TFakeClock : public IClock {
public:
    std::uint64_t Counter() const override { return next++; }
    std::int64_t NowSeconds() const override { return now; }
    mutable std::uint64_t next = 1;
    std::int64_t now = 0;
};

} // namespace tsy::fakes
