#include "app/win32/SingleInstance.h"

#include <string>

namespace tsy::win32 {
namespace {

// Kernel objects of every kind share one namespace: the record cannot have the mutex's name.
std::string ProcessRecordName(const char* mutexName) {
    return std::string(mutexName) + "/Process";
}

struct TWindowSearch {
    DWORD ProcessId;
    const char* ClassName;
    HWND Found;
};

BOOL CALLBACK FindProcessWindowStep(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<TWindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    if (owner != search.ProcessId || !GetClassNameA(window, className, sizeof className) ||
        lstrcmpA(className, search.ClassName) != 0)
        return TRUE;
    search.Found = window;
    return FALSE;
}

} // namespace

TSingleInstance::TSingleInstance(const char* name, bool publishProcess) {
    HANDLE mutex = CreateMutexA(nullptr, TRUE, name);
    const DWORD error = GetLastError();
    if (!mutex)
        return;
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return;
    }
    mutex_.Reset(mutex);
    if (!publishProcess)
        return;
    process_.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(DWORD),
                                      ProcessRecordName(name).c_str()));
    if (!process_)
        return;
    if (void* view = MapViewOfFile(process_.Get(), FILE_MAP_WRITE, 0, 0, sizeof(DWORD))) {
        *static_cast<volatile DWORD*>(view) = GetCurrentProcessId();
        UnmapViewOfFile(view);
    }
}

DWORD HolderProcess(const char* mutexName) {
    UniqueKernelHandle record(OpenFileMappingA(FILE_MAP_READ, FALSE, ProcessRecordName(mutexName).c_str()));
    if (!record)
        return 0;
    DWORD processId = 0;
    if (const void* view = MapViewOfFile(record.Get(), FILE_MAP_READ, 0, 0, sizeof(DWORD))) {
        processId = *static_cast<const volatile DWORD*>(view);
        UnmapViewOfFile(view);
    }
    return processId;
}

HWND FindProcessWindow(DWORD processId, const char* className) {
    TWindowSearch search{processId, className, nullptr};
    if (processId != 0)
        EnumWindows(FindProcessWindowStep, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

void TSingleInstance::Release() noexcept {
    process_.Reset();
    if (mutex_) {
        ReleaseMutex(mutex_.Get());
        mutex_.Reset();
    }
}

HWND HandOverToRunningInstance(const char* className, const char* caption, UINT switchMessage) {
    return HandOverToWindow(FindWindowA(className, caption), switchMessage);
}

HWND HandOverToWindow(HWND window, UINT switchMessage) {
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
