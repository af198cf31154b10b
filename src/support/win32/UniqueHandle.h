#pragma once

#include <windows.h>

#include <utility>

namespace tsy::win32 {

// The one owning-handle template: move-only, closes exactly once.
// Traits provide `static Handle Invalid()` and `static void Close(Handle)`.
template <typename Traits> class UniqueHandle {
public:
    using Handle = decltype(Traits::Invalid());

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }
    Handle Release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid()) noexcept {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::Invalid())
            Traits::Close(old);
    }
    // For APIs that fill in a handle.
    Handle* Put() noexcept {
        Reset();
        return &handle_;
    }

private:
    Handle handle_ = Traits::Invalid();
};

struct KernelHandleTraits {
    static HANDLE Invalid() noexcept { return nullptr; }
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct FileHandleTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct RegKeyTraits {
    static HKEY Invalid() noexcept { return nullptr; }
    static void Close(HKEY h) noexcept { ::RegCloseKey(h); }
};
struct ModuleTraits {
    static HMODULE Invalid() noexcept { return nullptr; }
    static void Close(HMODULE h) noexcept { ::FreeLibrary(h); }
};
struct GdiObjectTraits {
    static HGDIOBJ Invalid() noexcept { return nullptr; }
    static void Close(HGDIOBJ h) noexcept { ::DeleteObject(h); }
};
struct IconTraits {
    static HICON Invalid() noexcept { return nullptr; }
    static void Close(HICON h) noexcept { ::DestroyIcon(h); }
};
struct MenuTraits {
    static HMENU Invalid() noexcept { return nullptr; }
    static void Close(HMENU h) noexcept { ::DestroyMenu(h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;

} // namespace tsy::win32
