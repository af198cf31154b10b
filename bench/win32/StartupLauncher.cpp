// Measures how long a program takes from CreateProcess until one of its top-level windows
// is visible. Usage: StartupLauncher [--runs N] [--warmup N] [--class NAME] PROGRAM [ARGS...]
// Prints each run and, last, the medians "first_window_ms" (the first top-level window of the
// process, hidden or not), "created_ms" (the wanted window exists, not yet shown),
// "median_ms=<value>" and "peak_kb=<value>", the median of the
// program's peak working set (under Wine the peak resident size of its process). Each started
// copy is ended before the next.
#include <windows.h>

#include <psapi.h>

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
    // Any top-level window of the process, hidden ones too; the wanted window, hidden or shown.
    bool AnyWindow = false;
    bool Created = false;
    HWND Found = nullptr;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<TSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->ProcessID)
        return TRUE;
    search->AnyWindow = true;
    if (search->ClassName) {
        char name[256] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::strcmp(name, search->ClassName) != 0)
            return TRUE;
    }
    search->Created = true;
    if (!IsWindowVisible(window))
        return TRUE;
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

struct TStart {
    // Milliseconds until a window showed; negative when the program failed or took too long.
    double ms = -1;
    // Milliseconds until the process had its first top-level window (hidden or not), and until
    // the wanted window existed: the steps before the window shows.
    double firstWindowMs = -1;
    double createdMs = -1;
    // Peak working set in KiB once the window showed.
    double peakKb = 0;
};

TStart TimeOneStart(const std::string& commandLine, const char* className) {
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
        return {};
    tsy::win32::UniqueKernelHandle process(info.hProcess), thread(info.hThread);
    TStart result;
    HWND window = nullptr;
    for (;;) {
        TSearch search{info.dwProcessId, className};
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&now);
        const double ms = double(now.QuadPart - begin.QuadPart) * 1000.0 / double(frequency.QuadPart);
        if (search.AnyWindow && result.firstWindowMs < 0)
            result.firstWindowMs = ms;
        if (search.Created && result.createdMs < 0)
            result.createdMs = ms;
        if (search.Found) {
            result.ms = ms;
            window = search.Found;
            break;
        }
        if (ms > 30000 || WaitForSingleObject(process.Get(), 1) == WAIT_OBJECT_0)
            break;
    }
    // End it the way Windows does at logoff, then as a close; killing it would leave its
    // notification-area icon behind and slow down the next start.
    if (window) {
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        if (GetProcessMemoryInfo(process.Get(), &memory, sizeof memory))
            result.peakKb = double(memory.PeakWorkingSetSize) / 1024.0;
        SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        if (WaitForSingleObject(process.Get(), 3000) != WAIT_OBJECT_0)
            PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.Get(), 3000) != WAIT_OBJECT_0)
        TerminateProcess(process.Get(), 0);
    WaitForSingleObject(process.Get(), 10000);
    return result;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
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
    std::vector<double> times, peaks, firstWindows, created;
    for (int i = 0; i < runs; ++i) {
        const TStart start = TimeOneStart(commandLine, className);
        if (start.ms < 0) {
            std::fprintf(stderr, "run %d: no visible window from %s\n", i + 1, commandLine.c_str());
            return 1;
        }
        std::printf("run %d: %.1f ms (first window %.1f, window created %.1f), peak %.0f KiB\n", i + 1,
                    start.ms, start.firstWindowMs, start.createdMs, start.peakKb);
        times.push_back(start.ms);
        firstWindows.push_back(start.firstWindowMs);
        created.push_back(start.createdMs);
        peaks.push_back(start.peakKb);
    }
    std::printf("first_window_ms=%.1f\n", Median(firstWindows));
    std::printf("created_ms=%.1f\n", Median(created));
    std::printf("median_ms=%.1f\n", Median(times));
    std::printf("peak_kb=%.0f\n", Median(peaks));
    return 0;
}
