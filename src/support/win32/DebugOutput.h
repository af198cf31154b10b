#pragma once

#include "support/DebugOutput.h"

namespace tsy::win32 {

class TDebugOutput : public IDebugOutput {
public:
    void Write(std::string_view line) override;
};

} // namespace tsy::win32
