// An in-process server that stands in for "Shell.Application": its Windows collection lists the
// windows of the file named by TSY_FAKE_SHELL_WINDOWS, read afresh on each call.
#include "FakeBrowsers.h"
#include "FakeShellDocument.h"

#include "FakeComServer.h"

#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

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
class FakeObject : public tsy::fakes::TFakeDispatch {
public:
    using Getter = std::function<HRESULT(DISPPARAMS*, VARIANT*)>;

    explicit FakeObject(std::vector<std::pair<std::string, Getter>> members) : members_(std::move(members)) {}

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

} // namespace

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, LPVOID* object) {
    return tsy::fakes::FakeClassObject<tsy::fakes::TFakeFactory<MakeShell>>(L"" TSY_FAKE_SHELL_CLSID, classId,
                                                                            iid, object);
}

STDAPI DllCanUnloadNow() {
    return tsy::fakes::FakeCanUnloadNow();
}
