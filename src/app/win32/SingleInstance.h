#pragma once

#include <windows.h>

#include "support/win32/UniqueHandle.h"

namespace tsy::win32 {

inline constexpr const char* kSingleInstanceMutexName = "Kestrova/Tessaly";
inline constexpr const char* kSwitchToWindowMessageName = "SwitchToWindow";

// The mutex that makes the first start the only one. It is owned from creation
// until Release; a start that finds it existing, or cannot create it at all, is
// a second instance.
class TSingleInstance {
public:
    explicit TSingleInstance(const char* name = kSingleInstanceMutexName);
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;
    ~TSingleInstance() { Release(); }

    bool IsFirst() const noexcept { return static_cast<bool>(mutex_); }
    void Release() noexcept;

private:
    UniqueKernelHandle mutex_;
};

// The second start's part: brings the first instance's main window (class and
// caption given) forward and posts it the switch message. Without such a window
// every call goes nowhere. Returns the window found, if any.
HWND HandOverToRunningInstance(const char* className, const char* caption, UINT switchMessage);

// Runs until WM_QUIT. Keyboard navigation (Tab, access keys, Enter, Esc) goes
// through IsDialogMessageW of the top-level window the message is for.
int RunMessageLoop();

} // namespace tsy::win32
