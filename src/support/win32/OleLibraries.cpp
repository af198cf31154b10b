#include "support/win32/OleLibraries.h"

#include "support/win32/SystemLibrary.h"

namespace tsy::win32::ole {

namespace {

const TSystemLibrary& Ole32() {
    static const TSystemLibrary library("ole32.dll");
    return library;
}

const TSystemLibrary& OleAut32() {
    static const TSystemLibrary library("oleaut32.dll");
    return library;
}

} // namespace

HRESULT CoInitializeEx(LPVOID reserved, DWORD model) noexcept {
    static const auto bound = Ole32().Find<decltype(&::CoInitializeEx)>("CoInitializeEx");
    return bound ? bound(reserved, model) : E_NOTIMPL;
}

void CoUninitialize() noexcept {
    static const auto bound = Ole32().Find<decltype(&::CoUninitialize)>("CoUninitialize");
    if (bound)
        bound();
}

HRESULT CLSIDFromProgID(LPCOLESTR progId, LPCLSID classId) noexcept {
    static const auto bound = Ole32().Find<decltype(&::CLSIDFromProgID)>("CLSIDFromProgID");
    return bound ? bound(progId, classId) : E_NOTIMPL;
}

HRESULT CoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID interfaceId,
                         LPVOID* object) noexcept {
    static const auto bound = Ole32().Find<decltype(&::CoCreateInstance)>("CoCreateInstance");
    return bound ? bound(classId, outer, context, interfaceId, object) : E_NOTIMPL;
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) noexcept {
    static const auto bound = OleAut32().Find<decltype(&::SysAllocStringLen)>("SysAllocStringLen");
    return bound ? bound(text, length) : nullptr;
}

void SysFreeString(BSTR text) noexcept {
    // A holder that never held a string does not load the library to say so.
    if (!text)
        return;
    static const auto bound = OleAut32().Find<decltype(&::SysFreeString)>("SysFreeString");
    if (bound)
        bound(text);
}

UINT SysStringLen(BSTR text) noexcept {
    static const auto bound = OleAut32().Find<decltype(&::SysStringLen)>("SysStringLen");
    return bound && text ? bound(text) : 0;
}

void VariantInit(VARIANTARG* value) noexcept {
    static const auto bound = OleAut32().Find<decltype(&::VariantInit)>("VariantInit");
    if (bound)
        bound(value);
    else
        value->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANTARG* value) noexcept {
    static const auto bound = OleAut32().Find<decltype(&::VariantClear)>("VariantClear");
    return bound ? bound(value) : E_NOTIMPL;
}

HRESULT VariantChangeType(VARIANTARG* target, VARIANTARG* source, USHORT flags, VARTYPE type) noexcept {
    static const auto bound = OleAut32().Find<decltype(&::VariantChangeType)>("VariantChangeType");
    return bound ? bound(target, source, flags, type) : E_NOTIMPL;
}

} // namespace tsy::win32::ole
