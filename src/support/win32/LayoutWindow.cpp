#include "support/win32/LayoutWindow.h"

#include "support/win32/ScreenDpi.h"

namespace tsy::win32 {

TPUIRect TWin32PUIWindow::GetBounds() const {
    RECT rect{};
    if (::IsIconic(window_) || ::IsZoomed(window_)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        ::GetWindowPlacement(window_, &placement);
        rect = placement.rcNormalPosition;
        // The normal position is in work-area coordinates; the record holds screen ones.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (::GetMonitorInfoA(::MonitorFromRect(&rect, MONITOR_DEFAULTTOPRIMARY), &monitor))
            ::OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left,
                         monitor.rcWork.top - monitor.rcMonitor.top);
    } else {
        ::GetWindowRect(window_, &rect);
    }
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void TWin32PUIWindow::SetPosition(std::int32_t left, std::int32_t top) {
    ::SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32PUIWindow::SetSize(std::int32_t width, std::int32_t height) {
    ::SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TWin32PUIWindow::IsOnScreen(const TPUIRect& bounds) const {
    const RECT rect{bounds.Left, bounds.Top, bounds.Left + bounds.Width, bounds.Top + bounds.Height};
    return ::MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr;
}

int TWin32PUIWindow::Dpi() const {
    return WindowDpi(window_);
}

} // namespace tsy::win32
