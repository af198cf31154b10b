#pragma once
// ole32 and oleaut32, bound at their first call: a start that drives no browser window and opens
// no help never loads them, nor the RPC libraries they bring along. A missing entry point
// answers as a failed call would.
#include <windows.h>

#include <oaidl.h>

namespace tsy::win32::ole {

HRESULT CoInitializeEx(LPVOID reserved, DWORD model) noexcept;
void CoUninitialize() noexcept;
HRESULT CLSIDFromProgID(LPCOLESTR progId, LPCLSID classId) noexcept;
HRESULT CoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID interfaceId,
                         LPVOID* object) noexcept;

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) noexcept;
void SysFreeString(BSTR text) noexcept;
UINT SysStringLen(BSTR text) noexcept;
void VariantInit(VARIANTARG* value) noexcept;
HRESULT VariantClear(VARIANTARG* value) noexcept;
HRESULT VariantChangeType(VARIANTARG* target, VARIANTARG* source, USHORT flags, VARTYPE type) noexcept;

} // namespace tsy::win32::ole
