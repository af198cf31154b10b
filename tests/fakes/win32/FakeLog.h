#pragma once

#include <windows.h>

#include <string>

namespace tsy::fakes {

// Appends one line to the file named by the environment variable, or to "<module path>.log".
inline void AppendLogLine(const char* variable, HMODULE module, const std::string& line) {
    char path[MAX_PATH + 8] = {};
    DWORD length = GetEnvironmentVariableA(variable, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        length = GetModuleFileNameA(module, path, MAX_PATH);
        lstrcpyA(path + length, ".log");
    }
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
}

} // namespace tsy::fakes
