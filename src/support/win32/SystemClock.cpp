#include "support/win32/SystemClock.h"

#include <windows.h>

#include <ctime>

namespace tsy::win32 {

std::uint64_t TSystemClock::Counter() const {
    LARGE_INTEGER counter;
    if (QueryPerformanceCounter(&counter))
        return std::uint64_t(counter.QuadPart);
    return GetTickCount64();
}

std::int64_t TSystemClock::NowSeconds() const {
    return std::int64_t(std::time(nullptr));
}

} // namespace tsy::win32
