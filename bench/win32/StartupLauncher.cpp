// Measures how long a program takes from CreateProcess until one of its top-level windows
// is visible. Usage: StartupLauncher [--runs N] [--warmup N] [--class NAME] PROGRAM [ARGS...]
// Prints each run and, last, "median_ms=<value>". Each started copy is ended before the next.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/win32/UniqueHandle.h"

namespace {

struct TSearch {
    DWORD ProcessID;
    const char* ClassName;
    HWND Found = nullptr;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<TSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->ProcessID || !IsWindowVisible(window))
        return TRUE;
    if (search->ClassName) {
        char name[256] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::strcmp(name, search->ClassName) != 0)
            return TRUE;
    }
    search->Found = window;
    return FALSE;
}

// A Unix path from the build system names the same file on Wine's Z: drive.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') {
        std::replace(path.begin(), path.end(), '/', '\\');
        path = "Z:" + path;
    }
    return path;
}

// Milliseconds until a window shows; negative when the program failed or took too long.
double TimeOneStart(const std::string& commandLine, const char* className) {
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    LARGE_INTEGER frequency, begin, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return -1;
    tsy::win32::UniqueKernelHandle process(info.hProcess), thread(info.hThread);
    double elapsed = -1;
    HWND window = nullptr;
    for (;;) {
        TSearch search{info.dwProcessId, className};
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&now);
        const double ms = double(now.QuadPart - begin.QuadPart) * 1000.0 / double(frequency.QuadPart);
        if (search.Found) {
            elapsed = ms;
            window = search.Found;
            break;
        }
        if (ms > 30000 || WaitForSingleObject(process.Get(), 1) == WAIT_OBJECT_0)
            break;
    }
    // End it the way Windows does at logoff, then as a close; killing it would leave its
    // notification-area icon behind and slow down the next start.
    if (window) {
        SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        if (WaitForSingleObject(process.Get(), 3000) != WAIT_OBJECT_0)
            PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.Get(), 3000) != WAIT_OBJECT_0)
        TerminateProcess(process.Get(), 0);
    WaitForSingleObject(process.Get(), 10000);
    return elapsed;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 11, warmup = 1;
    const char* className = nullptr;
    int arg = 1;
    for (; arg < argc && std::strncmp(argv[arg], "--", 2) == 0; arg += 2) {
        if (arg + 1 >= argc)
            break;
        if (std::strcmp(argv[arg], "--runs") == 0)
            runs = std::atoi(argv[arg + 1]);
        else if (std::strcmp(argv[arg], "--warmup") == 0)
            warmup = std::atoi(argv[arg + 1]);
        else if (std::strcmp(argv[arg], "--class") == 0)
            className = argv[arg + 1];
    }
    if (arg >= argc || runs < 1 || warmup < 0) {
        std::fprintf(stderr,
                     "usage: StartupLauncher [--runs N] [--warmup N] [--class NAME] PROGRAM [ARGS...]\n");
        return 2;
    }
    std::string commandLine = "\"" + WindowsPath(argv[arg]) + "\"";
    for (int i = arg + 1; i < argc; ++i)
        commandLine += std::string(" ") + argv[i];

    for (int i = 0; i < warmup; ++i)
        TimeOneStart(commandLine, className);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = TimeOneStart(commandLine, className);
        if (ms < 0) {
            std::fprintf(stderr, "run %d: no visible window from %s\n", i + 1, commandLine.c_str());
            return 1;
        }
        std::printf("run %d: %.1f ms\n", i + 1, ms);
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    std::printf("median_ms=%.1f\n", median);
    return 0;
}
