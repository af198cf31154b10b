#include "controls/win32/Subclass.h"

#include "support/win32/GuardedCall.h"

namespace tsy::win32 {

namespace {

constexpr const char* kSubclassProperty = "Tsy.Subclass";
// Kept apart from the object so that a procedure which could not be unhooked (another
// subclass sits on top of it) still reaches the class's own handling after the object is gone.
constexpr const char* kOriginalProperty = "Tsy.Subclass.Original";

WNDPROC ProcedureOf(HWND window, bool unicode) {
    return reinterpret_cast<WNDPROC>(unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                             : GetWindowLongPtrA(window, GWLP_WNDPROC));
}

void SetProcedure(HWND window, bool unicode, WNDPROC procedure) {
    if (unicode)
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    else
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

LRESULT CallProcedure(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsWindowUnicode(window) ? CallWindowProcW(procedure, window, message, wParam, lParam)
                                   : CallWindowProcA(procedure, window, message, wParam, lParam);
}

} // namespace

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
    if (!window || GetPropA(window, kOriginalProperty)) {
        return false;
    }
    const bool unicode = IsWindowUnicode(window) != FALSE;
    const WNDPROC original = ProcedureOf(window, unicode);
    if (!original || !SetPropA(window, kOriginalProperty, reinterpret_cast<HANDLE>(original)) ||
        !SetPropA(window, kSubclassProperty, this)) {
        RemovePropA(window, kOriginalProperty);
        return false;
    }
    window_ = window;
    original_ = original;
    unicode_ = unicode;
    SetProcedure(window, unicode, &TSubclass::Route);
    return true;
}

void TSubclass::Detach() {
    if (!window_) {
        return;
    }
    RemovePropA(window_, kSubclassProperty);
    if (ProcedureOf(window_, unicode_) == &TSubclass::Route) {
        SetProcedure(window_, unicode_, original_);
        RemovePropA(window_, kOriginalProperty);
    }
    window_ = nullptr;
}

LRESULT TSubclass::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallOriginal(message, wParam, lParam);
}

LRESULT TSubclass::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallProcedure(original_, window_, message, wParam, lParam);
}

LRESULT CALLBACK TSubclass::Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TSubclass*>(GetPropA(window, kSubclassProperty));
    if (self && message != WM_NCDESTROY) {
        // Enter in the search box runs Explore from here; its errors must not reach Windows.
        return GuardedCall(window, message, LRESULT(0),
                           [&] { return self->WindowProc(message, wParam, lParam); });
    }
    const auto original = reinterpret_cast<WNDPROC>(GetPropA(window, kOriginalProperty));
    if (message == WM_NCDESTROY) {
        if (self) {
            self->Detach();
        }
        RemovePropA(window, kSubclassProperty);
        RemovePropA(window, kOriginalProperty);
    }
    if (original)
        return CallProcedure(original, window, message, wParam, lParam);
    return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                   : DefWindowProcA(window, message, wParam, lParam);
}

} // namespace tsy::win32
