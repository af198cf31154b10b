#include "support/win32/SystemLibrary.h"

namespace tsy::win32 {

std::string SystemFolder() {
    char path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

void RestrictLibrarySearch() {
    using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
    // Looked up rather than imported: Windows 7 without its 2011 update lacks it.
    const auto restrict = reinterpret_cast<TSetDefaultDllDirectories>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (restrict)
        restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

UniqueModule LoadSystemLibrary(const char* fileName) {
    const std::string folder = SystemFolder();
    if (folder.empty())
        return UniqueModule();
    return UniqueModule(LoadLibraryA((folder + "\\" + fileName).c_str()));
}

} // namespace tsy::win32
