#include "settings/win32/Win32PersistentUI.h"

#include <commctrl.h>

#include <algorithm>

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

bool TWin32PUIControl::InheritsFrom(std::string_view className) const {
    return std::find(classes_.begin(), classes_.end(), className) != classes_.end();
}

int TWin32PUIListView::ColumnCount() const {
    HWND header = ListView_GetHeader(control_);
    return header ? Header_GetItemCount(header) : 0;
}

std::int32_t TWin32PUIListView::ColumnWidth(int column) const {
    return ListView_GetColumnWidth(control_, column);
}

bool TWin32PUIListView::ColumnAutoSize(int column) const {
    return std::find(autoSized_.begin(), autoSized_.end(), column) != autoSized_.end();
}

void TWin32PUIListView::SetColumnWidth(int column, std::int32_t width) {
    ListView_SetColumnWidth(control_, column, width);
}

int TWin32PUIPageControl::PageCount() const {
    return TabCtrl_GetItemCount(control_);
}

int TWin32PUIPageControl::ActivePage() const {
    return TabCtrl_GetCurSel(control_);
}

void TWin32PUIPageControl::SetActivePage(int index) {
    TabCtrl_SetCurSel(control_, index);
    if (onChange_)
        onChange_(index);
}

int TWin32PUIComboBox::ItemCount() const {
    return static_cast<int>(::SendMessageA(control_, CB_GETCOUNT, 0, 0));
}

int TWin32PUIComboBox::ItemIndex() const {
    return static_cast<int>(::SendMessageA(control_, CB_GETCURSEL, 0, 0));
}

void TWin32PUIComboBox::SetItemIndex(int index) {
    ::SendMessageA(control_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

} // namespace tsy::win32
