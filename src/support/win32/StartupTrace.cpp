#include "support/win32/StartupTrace.h"

#include <windows.h>

#include <cstdio>

#include "support/StartupTrace.h"

namespace tsy::win32 {

namespace {

LARGE_INTEGER origin{};
LARGE_INTEGER frequency{};
double originMs = 0;

void WriteStep(const char* step) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    char line[128];
    std::snprintf(line, sizeof line, "TSY-START %s=%.3f", step,
                  originMs + double(now.QuadPart - origin.QuadPart) * 1000.0 / double(frequency.QuadPart));
    OutputDebugStringA(line);
}

double FileTimeMs(const FILETIME& t) {
    return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
}

} // namespace

void TraceStartupWhenAsked() noexcept {
    if (GetEnvironmentVariableA("TESSALY_START_TRACE", nullptr, 0) == 0)
        return;
    FILETIME created, exited, kernel, user, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&origin);
    GetSystemTimeAsFileTime(&now);
    if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        originMs = FileTimeMs(now) - FileTimeMs(created);
    TraceStartupTo(WriteStep);
    MarkStartupStep("loader");
}

} // namespace tsy::win32
