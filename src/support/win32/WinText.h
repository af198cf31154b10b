#pragma once

#include <windows.h>

#include <string>

namespace tsy::win32 {

// The whole text of a window or control.
std::string WindowText(HWND window);
// The system's description of an error code, without the line break it ends with.
std::string SystemErrorText(DWORD error);

} // namespace tsy::win32
