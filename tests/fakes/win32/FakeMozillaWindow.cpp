// Keeps a top-level window of Firefox's window class open until the window is closed.
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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = TSY_FAKE_MOZILLA_CLASS;
    if (!RegisterClassA(&windowClass))
        return 1;
    if (!CreateWindowA(TSY_FAKE_MOZILLA_CLASS, "Fake Firefox", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                       nullptr, instance, nullptr))
        return 2;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
