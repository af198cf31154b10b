#pragma once

#include "support/win32/OleLibraries.h"
#include "support/win32/UniqueHandle.h"

#include <windows.h>

#include <objbase.h>

namespace tsy::win32 {

template <typename T> struct ComPtrTraits {
    static T* Invalid() noexcept { return nullptr; }
    static void Close(T* object) noexcept { object->Release(); }
};

// Owns one reference to a COM object: released exactly once, never copied.
template <typename T> class ComPtr : public UniqueHandle<ComPtrTraits<T>> {
public:
    using UniqueHandle<ComPtrTraits<T>>::UniqueHandle;
    T* operator->() const noexcept { return this->Get(); }
    // For APIs that hand out an interface through a void**.
    void** PutVoid() noexcept { return reinterpret_cast<void**>(this->Put()); }
};

// Joins the calling thread to a single-threaded apartment for the object's lifetime.
class ComApartment {
public:
    ComApartment() noexcept : result_(ole::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(result_))
            ole::CoUninitialize();
    }
    HRESULT Result() const noexcept { return result_; }

private:
    HRESULT result_;
};

// The creating thread's single-threaded apartment, entered at the first Enter() instead of at
// once: a run that never uses COM then never loads it. Left when the object ends, which
// must be on the same thread; other threads keep apartments of their own.
class TComOnDemand {
public:
    TComOnDemand() noexcept : thread_(::GetCurrentThreadId()) {}
    TComOnDemand(const TComOnDemand&) = delete;
    TComOnDemand& operator=(const TComOnDemand&) = delete;
    ~TComOnDemand() {
        if (entered_)
            ole::CoUninitialize();
    }
    // Only the first call on the creating thread asks; a thread already in another apartment
    // keeps it.
    void Enter() noexcept {
        if (asked_ || ::GetCurrentThreadId() != thread_)
            return;
        asked_ = true;
        entered_ = SUCCEEDED(ole::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    }
    bool Entered() const noexcept { return entered_; }

private:
    DWORD thread_;
    bool asked_ = false;
    bool entered_ = false;
};

} // namespace tsy::win32
