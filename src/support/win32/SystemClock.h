#pragma once

#include "support/Clock.h"

namespace tsy::win32 {

// The performance counter where the system has one, else the tick count; wall-clock seconds.
class TSystemClock : public IClock {
public:
    std::uint64_t Counter() const override;
    std::int64_t NowSeconds() const override;
};

} // namespace tsy::win32
