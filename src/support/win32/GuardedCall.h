#pragma once

#include <windows.h>

#include "support/win32/ErrorBoundary.h"

namespace tsy::win32 {

// The one boundary between Windows and the program's handlers: every window, dialog,
// subclass and tray procedure runs its handler through here, so no exception ever
// unwinds into the system. The message then counts as handled with `failed`.
template <class THandler>
auto GuardedCall(HWND window, UINT message, decltype(std::declval<THandler>()()) failed,
                 THandler&& handler) noexcept -> decltype(handler()) {
    try {
        return handler();
    } catch (...) {
        ReportCurrentException();
        // A paint that failed would otherwise be asked for again at once, and again.
        if (message == WM_PAINT)
            ValidateRect(window, nullptr);
        return failed;
    }
}

} // namespace tsy::win32
