#include "support/win32/ScreenDpi.h"

#include <windows.h>

namespace tsy::win32 {

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

} // namespace tsy::win32
