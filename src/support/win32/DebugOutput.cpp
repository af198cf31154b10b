#include "support/win32/DebugOutput.h"

#include <windows.h>

#include <string>

namespace tsy::win32 {

void TDebugOutput::Write(std::string_view line) {
    ::OutputDebugStringA(std::string(line).c_str());
}

} // namespace tsy::win32
