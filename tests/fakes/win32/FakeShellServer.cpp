// An in-process server that stands in for "Shell.Application": its Windows collection lists the
// windows of the file named by TSY_FAKE_SHELL_WINDOWS, read afresh on each call.
#include "FakeBrowsers.h"
#include "FakeShellDocument.h"

#include <oaidl.h>
#include <objbase.h>

#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// COM objects are destroyed by their own Release, never through an interface pointer.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace {

LONG g_objects = 0;
LONG g_locks = 0;

std::wstring Widen(const std::string& text) {
    if (text.empty())
        return {};
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

void SetText(VARIANT* result, const std::string& text) {
    std::wstring wide = Widen(text);
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocStringLen(wide.data(), UINT(wide.size()));
}

void SetObject(VARIANT* result, IDispatch* object) {
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
}

// A late-bound object whose members are getters, numbered from 1 in the order given.
class FakeObject : public IDispatch {
public:
    using Getter = std::function<HRESULT(DISPPARAMS*, VARIANT*)>;

    explicit FakeObject(std::vector<std::pair<std::string, Getter>> members) : members_(std::move(members)) {
        InterlockedIncrement(&g_objects);
    }
    virtual ~FakeObject() { InterlockedDecrement(&g_objects); }

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

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        HRESULT result = S_OK;
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            for (std::size_t m = 0; m < members_.size(); ++m) {
                if (lstrcmpiW(names[i], Widen(members_[m].first).c_str()) == 0)
                    ids[i] = DISPID(m + 1);
            }
            if (ids[i] == DISPID_UNKNOWN)
                result = DISP_E_UNKNOWNNAME;
        }
        return result;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        if (member < 1 || std::size_t(member) > members_.size())
            return DISP_E_MEMBERNOTFOUND;
        if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) || !result)
            return DISP_E_MEMBERNOTFOUND;
        VariantInit(result);
        return members_[std::size_t(member - 1)].second(parameters, result);
    }

private:
    LONG refs_ = 1;
    std::vector<std::pair<std::string, Getter>> members_;
};

struct WindowEntry {
    std::string name, url, locationName, document;
};

std::vector<WindowEntry> ReadWindows() {
    std::vector<WindowEntry> windows;
    char path[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableA(TSY_FAKE_SHELL_WINDOWS_VARIABLE, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return windows;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            fields.push_back(line.substr(start, tab - start));
        fields.push_back(line.substr(start));
        fields.resize(4);
        windows.push_back({fields[0], fields[1], fields[2], fields[3]});
    }
    return windows;
}

IDispatch* MakeDocument(const std::string& kind) {
    if (kind.rfind("title:", 0) == 0)
        return static_cast<IDispatch*>(CreateFakeHtmlDocument(Widen(kind.substr(6))));
    if (kind == "plain")
        return new FakeObject({});
    return nullptr;
}

IDispatch* MakeWindow(const WindowEntry& entry) {
    auto text = [](std::string value) {
        return [value](DISPPARAMS*, VARIANT* result) {
            SetText(result, value);
            return S_OK;
        };
    };
    return new FakeObject({{"Name", text(entry.name)},
                           {"LocationURL", text(entry.url)},
                           {"LocationName", text(entry.locationName)},
                           {"document", [kind = entry.document](DISPPARAMS*, VARIANT* result) {
                                SetObject(result, MakeDocument(kind));
                                return S_OK;
                            }}});
}

IDispatch* MakeWindows() {
    std::vector<WindowEntry> windows = ReadWindows();
    auto count = [size = LONG(windows.size())](DISPPARAMS*, VARIANT* result) {
        result->vt = VT_I4;
        result->lVal = size;
        return S_OK;
    };
    auto item = [windows](DISPPARAMS* parameters, VARIANT* result) {
        if (parameters->cArgs != 1)
            return DISP_E_BADPARAMCOUNT;
        VARIANT index;
        VariantInit(&index);
        if (FAILED(VariantChangeType(&index, &parameters->rgvarg[0], 0, VT_I4)))
            return DISP_E_TYPEMISMATCH;
        // The shell answers an index past the end with no window.
        if (index.lVal < 0 || std::size_t(index.lVal) >= windows.size())
            SetObject(result, nullptr);
        else
            SetObject(result, MakeWindow(windows[std::size_t(index.lVal)]));
        return S_OK;
    };
    return new FakeObject({{"Count", count}, {"Item", item}});
}

IDispatch* MakeShell() {
    return new FakeObject({{"Windows", [](DISPPARAMS*, VARIANT* result) {
                                SetObject(result, MakeWindows());
                                return S_OK;
                            }}});
}

class Factory : public IClassFactory {
public:
    virtual ~Factory() = default;
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
        IDispatch* shell = MakeShell();
        HRESULT result = shell->QueryInterface(iid, object);
        shell->Release();
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

Factory g_factory;

} // namespace

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, LPVOID* object) {
    CLSID fake;
    CLSIDFromString(const_cast<LPOLESTR>(L"" TSY_FAKE_SHELL_CLSID), &fake);
    if (!IsEqualCLSID(classId, fake)) {
        *object = nullptr;
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return g_factory.QueryInterface(iid, object);
}

STDAPI DllCanUnloadNow() {
    return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE;
}
