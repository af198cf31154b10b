#include "controls/win32/Subclass.h"

#include <commctrl.h>

#include "support/win32/GuardedCall.h"

namespace tsy::win32 {

HWND CreateChildEdit(HWND parent, int id, int x, int y, int width, int height, DWORD style) {
    return CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
}

TSubclass::~TSubclass() {
    Detach();
}

bool TSubclass::Attach(HWND window) {
    Detach();
    // The object is its hook's id: two objects on one window stack up, each removing its own.
    if (!window || !SetWindowSubclass(window, &TSubclass::Route, Id(), reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    window_ = window;
    return true;
}

void TSubclass::Detach() {
    if (!window_) {
        return;
    }
    RemoveWindowSubclass(window_, &TSubclass::Route, Id());
    window_ = nullptr;
}

LRESULT TSubclass::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallOriginal(message, wParam, lParam);
}

LRESULT TSubclass::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(window_, message, wParam, lParam);
}

LRESULT CALLBACK TSubclass::Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR self) {
    auto* subclass = reinterpret_cast<TSubclass*>(self);
    if (message == WM_NCDESTROY) {
        subclass->Detach();
        return DefSubclassProc(window, message, wParam, lParam);
    }
    // Enter in the search box runs Explore from here; its errors must not reach Windows.
    return GuardedCall(window, message, LRESULT(0),
                       [&] { return subclass->WindowProc(message, wParam, lParam); });
}

} // namespace tsy::win32
