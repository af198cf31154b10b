#pragma once

#include <windows.h>

namespace tsy::win32 {

// Takes over the window procedure of an existing window (a control made from a system class)
// and hands every message to WindowProc; CallOriginal gives the class's own handling. The
// original procedure is put back when the object goes or the window is destroyed. A Unicode
// window stays one: it is hooked with the W functions, so its messages keep their Unicode text.
class TSubclass {
public:
    TSubclass() = default;
    TSubclass(const TSubclass&) = delete;
    TSubclass& operator=(const TSubclass&) = delete;
    virtual ~TSubclass();

    bool Attach(HWND window);
    void Detach();
    HWND Window() const { return window_; }

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    WNDPROC original_ = nullptr;
    bool unicode_ = false;
};

// A bordered child edit box for a control that subclasses it; nullptr on failure.
HWND CreateChildEdit(HWND parent, int id, int x, int y, int width, int height, DWORD style);

// Hands a freshly created window to attach; destroys it when attach refuses it.
template <class TAttach> bool AdoptCreated(HWND window, TAttach attach) {
    if (!window) {
        return false;
    }
    if (!attach(window)) {
        DestroyWindow(window);
        return false;
    }
    return true;
}

} // namespace tsy::win32
