// An in-process automation server that stands in for Internet Explorer's: it answers
// Navigate2 and Visible and logs every call with its arguments, one line each.
#include "FakeBrowsers.h"
#include "FakeLog.h"

#include "FakeComServer.h"

#include <string>

namespace {

constexpr DISPID kNavigate2 = 500;
constexpr DISPID kVisible = 402;

HMODULE g_module = nullptr;

void Log(const std::string& line) {
    tsy::fakes::AppendLogLine(TSY_FAKE_AUTOMATION_LOG_VARIABLE, g_module, line);
}

std::string Narrow(const wchar_t* text) {
    if (!text)
        return {};
    int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(std::size_t(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), length, nullptr, nullptr);
    narrow.resize(std::size_t(length > 0 ? length - 1 : 0));
    return narrow;
}

std::string Describe(const VARIANT& value) {
    const VARIANT* v = &value;
    if (v->vt == (VT_VARIANT | VT_BYREF))
        v = v->pvarVal;
    switch (v->vt) {
    case VT_BSTR:
        return "\"" + Narrow(v->bstrVal) + "\"";
    case VT_I4:
        return std::to_string(v->lVal);
    case VT_I2:
        return std::to_string(v->iVal);
    case VT_BOOL:
        return v->boolVal ? "true" : "false";
    default:
        return "vt" + std::to_string(v->vt);
    }
}

class FakeBrowser : public tsy::fakes::TFakeDispatch {
public:
    FakeBrowser() { Log("create"); }
    ~FakeBrowser() override { Log("release"); }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        HRESULT result = S_OK;
        for (UINT i = 0; i < count; ++i) {
            std::string name = Narrow(names[i]);
            Log("GetIDsOfNames " + name);
            if (lstrcmpiA(name.c_str(), "Navigate2") == 0)
                ids[i] = kNavigate2;
            else if (lstrcmpiA(name.c_str(), "Visible") == 0)
                ids[i] = kVisible;
            else {
                ids[i] = DISPID_UNKNOWN;
                result = DISP_E_UNKNOWNNAME;
            }
        }
        return result;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        if (result)
            VariantInit(result);
        if (member == kNavigate2 && (flags & DISPATCH_METHOD)) {
            std::string line = "Navigate2";
            // Arguments arrive last first.
            for (UINT i = parameters->cArgs; i-- > 0;)
                line += " " + Describe(parameters->rgvarg[i]);
            Log(line);
            if (line.find(TSY_FAKE_FAILING_URL_MARK) != std::string::npos)
                return E_FAIL;
            return S_OK;
        }
        if (member == kVisible && (flags & DISPATCH_PROPERTYPUT)) {
            if (parameters->cArgs != 1 || parameters->cNamedArgs != 1 ||
                parameters->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
                return DISP_E_BADPARAMCOUNT;
            Log("Visible " + Describe(parameters->rgvarg[0]));
            return S_OK;
        }
        Log("Invoke " + std::to_string(member) + " flags " + std::to_string(flags));
        return DISP_E_MEMBERNOTFOUND;
    }
};

IDispatch* MakeBrowser() {
    return new FakeBrowser;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, LPVOID* object) {
    return tsy::fakes::FakeClassObject<tsy::fakes::TFakeFactory<MakeBrowser>>(L"" TSY_FAKE_AUTOMATION_CLSID,
                                                                              classId, iid, object);
}

STDAPI DllCanUnloadNow() {
    return tsy::fakes::FakeCanUnloadNow();
}
