#pragma once

namespace tsy::win32 {

// The system's logical pixels per inch; 96 when the screen cannot be asked.
int SystemDpi();

} // namespace tsy::win32
