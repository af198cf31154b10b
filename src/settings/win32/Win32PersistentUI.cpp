#include "settings/win32/Win32PersistentUI.h"

#include <commctrl.h>

#include <algorithm>

namespace tsy::win32 {

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
