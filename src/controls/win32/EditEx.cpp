#include "controls/win32/EditEx.h"

#include <windowsx.h>

namespace tsy::win32 {

TEditEx::~TEditEx() {
    HWND window = Window();
    Detach();
    if (owned_ && window) {
        DestroyWindow(window);
    }
}

bool TEditEx::Create(HWND parent, int id, int x, int y, int width, int height, DWORD style) {
    HWND edit =
        CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", style, x, y, width, height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (!edit) {
        return false;
    }
    if (!Attach(edit)) {
        DestroyWindow(edit);
        return false;
    }
    owned_ = true;
    return true;
}

bool TEditEx::Attach(HWND edit) {
    owned_ = false;
    return TSubclass::Attach(edit);
}

void TEditEx::SetPopupMenu(HMENU menu, HWND commandTarget) {
    menu_ = menu;
    commandTarget_ = commandTarget;
}

LRESULT TEditEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CONTEXTMENU) {
        return CallOriginal(message, wParam, lParam);
    }
    if (!menu_) {
        // Straight to the edit's own handling, as if the message had been meant for it.
        return CallOriginal(message, reinterpret_cast<WPARAM>(Window()), lParam);
    }
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) { // from the keyboard: open at the box
        RECT box{};
        GetWindowRect(Window(), &box);
        at = {box.left, box.bottom};
    }
    HWND target = commandTarget_ ? commandTarget_ : GetParent(Window());
    TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, target, nullptr);
    return 0;
}

} // namespace tsy::win32
