#include "controls/win32/ComboBox.h"

#include <commctrl.h>

#include "support/win32/Dialog.h"
#include "support/win32/WinText.h"

namespace tsy::win32 {

void TComboBox::Clear() {
    SendMessageA(control_, CB_RESETCONTENT, 0, 0);
}

int TComboBox::Add(const std::string& text, LPARAM data) {
    const auto index = int(SendMessageA(control_, CB_ADDSTRING, 0, LPARAM(text.c_str())));
    if (index >= 0)
        SendMessageA(control_, CB_SETITEMDATA, WPARAM(index), data);
    return index;
}

int TComboBox::Count() const {
    return int(SendMessageA(control_, CB_GETCOUNT, 0, 0));
}

int TComboBox::ItemIndex() const {
    return int(SendMessageA(control_, CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index) {
    SendMessageA(control_, CB_SETCURSEL, WPARAM(index), 0);
}

std::string TComboBox::ItemText(int index) const {
    return ComboItemText(control_, index);
}

void TComboBox::SetItems(const std::vector<std::string>& texts, int selected) {
    SendMessageA(control_, WM_SETREDRAW, FALSE, 0);
    Clear();
    for (const std::string& text : texts)
        Add(text);
    SetItemIndex(selected);
    SendMessageA(control_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control_, nullptr, TRUE);
}

void TComboBox::SetMinVisible(int count) {
    SendMessageA(control_, CB_SETMINVISIBLE, WPARAM(count), 0);
}

LPARAM TComboBox::ItemData(int index) const {
    return SendMessageA(control_, CB_GETITEMDATA, WPARAM(index), 0);
}

std::string TComboBox::Text() const {
    return WindowText(control_);
}

int TComboBox::IndexOf(const std::string& text) const {
    for (int i = 0; i < Count(); ++i)
        if (ItemText(i) == text)
            return i;
    return -1;
}

void TButtonEx::SetLayout(TTextLayout layout) {
    if (layout == layout_ || !control_)
        return;
    layout_ = layout;
    HWND parent = GetParent(control_);
    const auto style =
        DWORD(GetWindowLongPtrA(control_, GWL_STYLE)) & ~DWORD(BS_TOP | BS_VCENTER | BS_BOTTOM);
    const DWORD placed = layout == TTextLayout::tlTop      ? BS_TOP
                         : layout == TTextLayout::tlBottom ? BS_BOTTOM
                                                           : BS_VCENTER;
    const RECT place = PlaceIn(parent, control_);
    const int id = GetDlgCtrlID(control_);
    const bool checked = Checked();
    const auto font = SendMessageA(control_, WM_GETFONT, 0, 0);
    const std::string caption = WindowText(control_);
    HWND made =
        CreateWindowExA(DWORD(GetWindowLongPtrA(control_, GWL_EXSTYLE)), "BUTTON", caption.c_str(),
                        style | placed | BS_MULTILINE, place.left, place.top, place.right - place.left,
                        place.bottom - place.top, parent, reinterpret_cast<HMENU>(INT_PTR(id)),
                        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (!made)
        return;
    // Same place in the Tab order as the window it replaces.
    SetWindowPos(made, control_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageA(made, WM_SETFONT, WPARAM(font), TRUE);
    DestroyWindow(control_);
    control_ = made;
    SetChecked(checked);
}

} // namespace tsy::win32
