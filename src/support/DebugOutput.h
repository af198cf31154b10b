#pragma once

#include <string_view>

namespace tsy {

// Diagnostic lines for an attached debugger; invisible otherwise.
class IDebugOutput {
public:
    virtual ~IDebugOutput() = default;
    virtual void Write(std::string_view line) = 0;
};

} // namespace tsy
