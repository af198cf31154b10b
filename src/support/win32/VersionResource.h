#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/VersionInfo.h"
#include "support/win32/SystemLibrary.h"

namespace tsy::win32 {

// The version functions of the system folder's version.dll, bound for the object's life.
class TVersionLibrary {
public:
    TVersionLibrary();

    // The file's whole version resource; empty when it has none or the library is missing.
    std::vector<char> Read(const std::string& path) const;
    // A value of a resource that Read gave, as VerQueryValueA finds it.
    bool Query(const std::vector<char>& resource, const char* block, void** value, UINT* length) const;

private:
    using TSize = DWORD(WINAPI*)(LPCSTR, LPDWORD);
    using TRead = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
    using TQuery = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);

    TSystemLibrary library_;
    TSize size_;
    TRead read_;
    TQuery query_;
};

// The version resource of an executable: the fixed part's file and product versions and the
// five strings of the first translation, each missing string reading as its own name. Zeros
// and empty texts when the file has no resource.
TVersionInfo ReadVersionInfo(const std::string& executablePath);

} // namespace tsy::win32
