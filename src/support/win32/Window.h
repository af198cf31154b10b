#pragma once

#include <windows.h>

namespace tsy::win32 {

// A window class registered on first use.
struct TWindowClass {
    const char* Name = nullptr;
    HINSTANCE Instance = nullptr;
    UINT Style = 0;
    HICON Icon = nullptr;
    HICON SmallIcon = nullptr;
    HCURSOR Cursor = nullptr;
    HBRUSH Background = nullptr;
    // Registered with the W functions, so that the window and its messages carry Unicode text.
    bool Unicode = false;
};

struct TWindowPlacement {
    DWORD Style = WS_OVERLAPPEDWINDOW;
    DWORD ExStyle = 0;
    int Left = CW_USEDEFAULT;
    int Top = CW_USEDEFAULT;
    int Width = CW_USEDEFAULT;
    int Height = CW_USEDEFAULT;
    HWND Parent = nullptr;
    HMENU Menu = nullptr;
};

// Registers the class when it is not yet and creates a window of it; nullptr when the window
// cannot be made, std::runtime_error when the class cannot be registered.
HWND CreateWindowOfClass(const TWindowClass& windowClass, WNDPROC procedure, const char* caption,
                         const TWindowPlacement& placement, void* param);

// Base of the program's own windows. The object is reached from the window
// through GWLP_USERDATA; an exception escaping HandleMessage is reported to the
// error handler (ErrorBoundary.h) and the message counts as handled. Destroying
// the object destroys a window that still exists.
class TWindow {
public:
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;
    virtual ~TWindow();

    HWND Handle() const noexcept { return handle_; }

    // The object of one of our windows, or nullptr for any other window.
    static TWindow* FromHandle(HWND window) noexcept;

protected:
    TWindow() = default;

    // Registers the class when needed and creates the window; raises
    // std::runtime_error when either fails.
    void Create(const TWindowClass& windowClass, const char* caption, const TWindowPlacement& placement);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    // Runs after the last message the window gets; the object must not touch the handle any more.
    virtual void HandleDestroyed() noexcept {}

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
};

} // namespace tsy::win32
