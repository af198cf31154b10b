#pragma once

#include <windows.h>

namespace tsy::win32 {

// WM_DPICHANGED (new DPI in both halves of wParam, the suggested window rectangle in lParam) and
// the notice a child gets once its parent has had it; older headers lack them.
inline constexpr UINT kDpiChangedMessage = 0x02E0;
inline constexpr UINT kDpiChangedAfterParentMessage = 0x02E3;

// The system's logical pixels per inch; 96 when the screen cannot be asked.
int SystemDpi();

// The DPI of the window's monitor as the window sees it (GetDpiForWindow, which older systems
// lack: there, the system DPI).
int WindowDpi(HWND window);

// A system metric at a DPI (GetSystemMetricsForDpi where the system has it, else scaled from the
// system DPI's).
int SystemMetricForDpi(int index, int dpi);

// A font like `font` for another DPI; a null handle when it cannot be made.
HFONT ScaledFont(HFONT font, int fromDpi, int toDpi);

} // namespace tsy::win32
