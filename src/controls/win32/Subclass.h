#pragma once

#include <windows.h>

namespace tsy::win32 {

// Hooks an existing window (a control made from a system class) through the common controls'
// subclass chain and hands every message to WindowProc; CallOriginal passes it on down the
// chain to the class's own handling. The hook goes when the object goes or the window is
// destroyed. The window keeps its character set, so a Unicode window's text stays Unicode.
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
    static LRESULT CALLBACK Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                  DWORD_PTR self);
    UINT_PTR Id() const noexcept { return reinterpret_cast<UINT_PTR>(this); }

    HWND window_ = nullptr;
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
