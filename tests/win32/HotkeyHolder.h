// Another program that holds global hotkeys while a test runs, as the shell holds Win+Q.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "BrowserTestSupport.h"

namespace tsy::testing {

class THotkeyHolder {
public:
    explicit THotkeyHolder(const std::vector<std::pair<UINT, UINT>>& combinations) {
        const std::string tag = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
        const std::string readyName = "TessalyHolderReady-" + tag, quitName = "TessalyHolderQuit-" + tag;
        ready_ = CreateEventA(nullptr, TRUE, FALSE, readyName.c_str());
        quit_ = CreateEventA(nullptr, TRUE, FALSE, quitName.c_str());
        std::string command =
            "\"" + FakesFolder() + "\\fake_hotkey_holder.exe\" " + readyName + " " + quitName;
        for (const auto& [modifiers, key] : combinations)
            command += " " + std::to_string(modifiers) + " " + std::to_string(key);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                            nullptr, &startup, &process_))
            return;
        CloseHandle(process_.hThread);
        const HANDLE waits[] = {ready_, process_.hProcess};
        holding_ = WaitForMultipleObjects(2, waits, FALSE, 30000) == WAIT_OBJECT_0;
    }
    THotkeyHolder(const THotkeyHolder&) = delete;
    THotkeyHolder& operator=(const THotkeyHolder&) = delete;
    ~THotkeyHolder() {
        SetEvent(quit_);
        if (process_.hProcess) {
            WaitForSingleObject(process_.hProcess, 30000);
            CloseHandle(process_.hProcess);
        }
        CloseHandle(ready_);
        CloseHandle(quit_);
    }
    // Every combination is registered by the other program.
    bool Holding() const { return holding_; }

private:
    HANDLE ready_ = nullptr;
    HANDLE quit_ = nullptr;
    PROCESS_INFORMATION process_{};
    bool holding_ = false;
};

} // namespace tsy::testing
