// Keeps a top-level window of Firefox's window class open until the window is closed. Given a
// class name on its command line it registers that class instead and shows the window.
#include "FakeBrowsers.h"

#include <windows.h>

namespace {

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const bool given = commandLine && *commandLine;
    const char* className = given ? commandLine : TSY_FAKE_MOZILLA_CLASS;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window = CreateWindowA(className, "Fake browser", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                nullptr, instance, nullptr);
    if (!window)
        return 2;
    if (given)
        ShowWindow(window, SW_SHOWNOACTIVATE);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
