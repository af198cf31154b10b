#pragma once

#include <windows.h>

#include "app/PortableMode.h"
#include "support/win32/UniqueHandle.h"

namespace tsy::win32 {

// The installed copy's; a portable copy has one per folder (PortableMutexName).
inline constexpr const char* kSingleInstanceMutexName = kInstalledMutexName.data();
inline constexpr const char* kSwitchToWindowMessageName = "SwitchToWindow";

// The mutex that makes the first start the only one. It is owned from creation
// until Release; a start that finds it existing, or cannot create it at all, is
// a second instance.
class TSingleInstance {
public:
    // With `publishProcess`, the first instance also leaves its process id where
    // HolderProcess finds it.
    explicit TSingleInstance(const char* name = kSingleInstanceMutexName, bool publishProcess = false);
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;
    ~TSingleInstance() { Release(); }

    bool IsFirst() const noexcept { return static_cast<bool>(mutex_); }
    void Release() noexcept;

private:
    UniqueKernelHandle mutex_;
    UniqueKernelHandle process_; // the shared record of the process id, while the mutex is held
};

// The process id the first instance under that mutex name published; 0 when there is none.
DWORD HolderProcess(const char* mutexName);

// The top-level window of that class belonging to the process; nullptr when it has none.
HWND FindProcessWindow(DWORD processId, const char* className);

// Brings the window forward and posts it the switch message; without a window every call goes
// nowhere. Returns the window.
HWND HandOverToWindow(HWND window, UINT switchMessage);

// The second start's part: brings the first instance's main window (class and
// caption given) forward and posts it the switch message. Without such a window
// every call goes nowhere. Returns the window found, if any.
HWND HandOverToRunningInstance(const char* className, const char* caption, UINT switchMessage);

// Runs until WM_QUIT. Keyboard navigation (Tab, access keys, Enter, Esc) goes
// through IsDialogMessageW of the top-level window the message is for.
int RunMessageLoop();

} // namespace tsy::win32
