#pragma once

#include <cstdint>

namespace tsy {

// Lets a test stop a multi-step operation at a chosen step, as a crash or a full disk would.
// The program itself never installs one.
class IFaultPoint {
public:
    virtual ~IFaultPoint() = default;
    // Called before each step; 0 lets the step run, anything else is the system error code the
    // step fails with. An implementation may also never return, as a killed process would not.
    virtual std::uint32_t Reached(const char* step) = 0;
};

} // namespace tsy
