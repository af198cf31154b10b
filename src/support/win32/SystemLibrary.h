#pragma once

#include <windows.h>

#include <string>

#include "support/win32/UniqueHandle.h"

namespace tsy::win32 {

// The system folder, without a trailing backslash; empty when the system does not say.
std::string SystemFolder();

// From now on, libraries loaded by name come from the system folder only, where the system
// offers that; a system without it keeps its own order.
void RestrictLibrarySearch();

// A library of the system folder, loaded by its full path, so that a file of the same name
// beside the program or in the current folder is never the one that runs.
UniqueModule LoadSystemLibrary(const char* fileName);

// A system library bound at run time, for the life of the object.
class TSystemLibrary {
public:
    explicit TSystemLibrary(const char* fileName) : module_(LoadSystemLibrary(fileName)) {}

    HMODULE Handle() const noexcept { return module_.Get(); }
    // The entry point as a pointer of type F; nullptr when the library or the entry is missing.
    template <typename F> F Find(const char* name) const {
        if (!module_)
            return nullptr;
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_.Get(), name)));
    }

private:
    UniqueModule module_;
};

} // namespace tsy::win32
