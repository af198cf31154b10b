#pragma once
// What the in-process fake automation servers share: the object and lock counts that tell the
// system when the server may be unloaded, the IUnknown part of their late-bound objects, and a
// class factory for one class.
#include <oaidl.h>
#include <objbase.h>

// COM objects are destroyed by their own Release, never through an interface pointer.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace tsy::fakes {

// Each server is its own module, so each has its own counts.
inline LONG g_objects = 0;
inline LONG g_locks = 0;

// A late-bound object without type information; it frees itself with its last reference.
class TFakeDispatch : public IDispatch {
public:
    TFakeDispatch() { InterlockedIncrement(&g_objects); }
    virtual ~TFakeDispatch() { InterlockedDecrement(&g_objects); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0)
            delete this;
        return ULONG(left);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

private:
    LONG refs_ = 1;
};

// The factory of the server's one class; `Make` returns a new object with one reference.
template <IDispatch* (*Make)()> class TFakeFactory : public IClassFactory {
public:
    virtual ~TFakeFactory() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The factory is a static object; references only pin the module.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        IDispatch* made = Make();
        HRESULT result = made->QueryInterface(iid, object);
        made->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            InterlockedIncrement(&g_locks);
        else
            InterlockedDecrement(&g_locks);
        return S_OK;
    }
};

// DllGetClassObject for a server of the one class `clsid`.
template <class TFactory>
HRESULT FakeClassObject(const wchar_t* clsid, REFCLSID classId, REFIID iid, LPVOID* object) {
    static TFactory factory;
    CLSID fake;
    CLSIDFromString(const_cast<LPOLESTR>(clsid), &fake);
    if (!IsEqualCLSID(classId, fake)) {
        *object = nullptr;
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return factory.QueryInterface(iid, object);
}

inline HRESULT FakeCanUnloadNow() {
    return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE;
}

} // namespace tsy::fakes
