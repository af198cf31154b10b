// An HTML document that offers only its title. The interface is filled in as a C table so that
// the hundred members nobody calls need no bodies.
#define CINTERFACE
#include "FakeShellDocument.h"

#include <mshtml.h>

namespace {

struct Document {
    IHTMLDocument2 face;
    LONG refs;
    BSTR title;
};

Document* Self(IHTMLDocument2* face) {
    return reinterpret_cast<Document*>(face);
}

HRESULT STDMETHODCALLTYPE QueryInterface(IHTMLDocument2* face, REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_IHTMLDocument2)) {
        *object = face;
        InterlockedIncrement(&Self(face)->refs);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE AddRef(IHTMLDocument2* face) {
    return ULONG(InterlockedIncrement(&Self(face)->refs));
}

ULONG STDMETHODCALLTYPE Release(IHTMLDocument2* face) {
    LONG left = InterlockedDecrement(&Self(face)->refs);
    if (left == 0) {
        SysFreeString(Self(face)->title);
        delete Self(face);
    }
    return ULONG(left);
}

HRESULT STDMETHODCALLTYPE GetTypeInfoCount(IHTMLDocument2*, UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE GetIDsOfNames(IHTMLDocument2*, REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) {
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE GetTitle(IHTMLDocument2* face, BSTR* title) {
    *title = SysAllocStringLen(Self(face)->title, SysStringLen(Self(face)->title));
    return *title ? S_OK : E_OUTOFMEMORY;
}

IHTMLDocument2Vtbl MakeTable() {
    IHTMLDocument2Vtbl table = {};
    table.QueryInterface = QueryInterface;
    table.AddRef = AddRef;
    table.Release = Release;
    table.GetTypeInfoCount = GetTypeInfoCount;
    table.GetIDsOfNames = GetIDsOfNames;
    table.get_title = GetTitle;
    return table;
}

IHTMLDocument2Vtbl g_table = MakeTable();

} // namespace

void* CreateFakeHtmlDocument(const std::wstring& title) {
    auto* document = new Document{{&g_table}, 1, SysAllocStringLen(title.data(), UINT(title.size()))};
    return &document->face;
}
