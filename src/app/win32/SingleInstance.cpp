#include "app/win32/SingleInstance.h"

namespace tsy::win32 {

TSingleInstance::TSingleInstance(const char* name) {
    HANDLE mutex = CreateMutexA(nullptr, TRUE, name);
    const DWORD error = GetLastError();
    if (!mutex)
        return;
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return;
    }
    mutex_.Reset(mutex);
}

void TSingleInstance::Release() noexcept {
    if (mutex_) {
        ReleaseMutex(mutex_.Get());
        mutex_.Reset();
    }
}

HWND HandOverToRunningInstance(const char* className, const char* caption, UINT switchMessage) {
    HWND window = FindWindowA(className, caption);
    // Windows is reluctant to hand the foreground to another process; asking twice
    // gets past the first refusal.
    for (int round = 0; round < 2; ++round) {
        SetForegroundWindow(window);
        SetActiveWindow(window);
        SetFocus(window);
        BringWindowToTop(window);
    }
    if (window)
        PostMessageA(window, switchMessage, 0, 0);
    return window;
}

int RunMessageLoop() {
    MSG msg;
    BOOL got;
    // The W calls: a character the code page lacks reaches the Unicode search box whole.
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return 1;
        HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root && IsDialogMessageW(root, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

} // namespace tsy::win32
