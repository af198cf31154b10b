#include "support/win32/Dispatch.h"

#include <vector>

#include "support/win32/WinText.h"

namespace tsy::win32 {
namespace {

std::wstring Widen(const std::string& text) {
    if (text.empty())
        return {};
    int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

std::string Narrow(const wchar_t* text, UINT length) {
    if (!text || length == 0)
        return {};
    int size = ::WideCharToMultiByte(CP_ACP, 0, text, int(length), nullptr, 0, nullptr, nullptr);
    std::string narrow(std::size_t(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, int(length), narrow.data(), size, nullptr, nullptr);
    return narrow;
}

std::string Narrow(const wchar_t* text) {
    if (!text || !*text)
        return {};
    int length = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(std::size_t(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), length, nullptr, nullptr);
    narrow.resize(std::size_t(length > 0 ? length - 1 : 0));
    return narrow;
}

[[noreturn]] void Raise(HRESULT result) {
    throw EComError(result, ComErrorText(result));
}

// Automation servers describe their own failures in the exception record.
[[noreturn]] void RaiseException(EXCEPINFO& info) {
    if (info.pfnDeferredFillIn)
        info.pfnDeferredFillIn(&info);
    HRESULT result = info.scode != 0 ? info.scode : DISP_E_EXCEPTION;
    std::string message = Narrow(info.bstrDescription);
    ole::SysFreeString(info.bstrSource);
    ole::SysFreeString(info.bstrDescription);
    ole::SysFreeString(info.bstrHelpFile);
    throw EComError(result, message.empty() ? ComErrorText(result) : message);
}

} // namespace

std::string ComErrorText(HRESULT result) {
    std::string text = ErrorMessageText(DWORD(result));
    if (text.empty()) {
        char code[32];
        wsprintfA(code, "COM error 0x%08lX", static_cast<unsigned long>(result));
        text = code;
    }
    return text;
}

Variant::Variant(const std::string& ansiText) {
    ole::VariantInit(&value_);
    auto wide = Widen(ansiText);
    BSTR text = ole::SysAllocStringLen(wide.data(), UINT(wide.size()));
    if (!text)
        Raise(E_OUTOFMEMORY);
    value_.vt = VT_BSTR;
    value_.bstrVal = text;
}

Variant::Variant(int number) noexcept {
    ole::VariantInit(&value_);
    value_.vt = VT_I4;
    value_.lVal = number;
}

Variant::Variant(bool flag) noexcept {
    ole::VariantInit(&value_);
    value_.vt = VT_BOOL;
    value_.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
}

BSTR* BString::Put() noexcept {
    ole::SysFreeString(text_);
    text_ = nullptr;
    return &text_;
}

std::string BString::Text() const {
    return Narrow(text_, ole::SysStringLen(text_));
}

VARIANT* VariantResult::Put() noexcept {
    ole::VariantClear(&value_);
    return &value_;
}

std::string VariantResult::Text() const {
    VariantResult converted;
    HRESULT result = ole::VariantChangeType(converted.Put(), const_cast<VARIANT*>(&value_), 0, VT_BSTR);
    if (FAILED(result))
        Raise(result);
    return Narrow(converted.value_.bstrVal, ole::SysStringLen(converted.value_.bstrVal));
}

int VariantResult::Integer() const {
    VariantResult converted;
    HRESULT result = ole::VariantChangeType(converted.Put(), const_cast<VARIANT*>(&value_), 0, VT_I4);
    if (FAILED(result))
        Raise(result);
    return int(converted.value_.lVal);
}

ComPtr<IDispatch> VariantResult::Object() const {
    const VARIANT* value = &value_;
    if (value->vt == (VT_VARIANT | VT_BYREF) && value->pvarVal)
        value = value->pvarVal;
    ComPtr<IDispatch> object;
    if (value->vt == VT_EMPTY || value->vt == VT_NULL)
        return object;
    if (value->vt == VT_DISPATCH) {
        if (value->pdispVal) {
            value->pdispVal->AddRef();
            object.Reset(value->pdispVal);
        }
        return object;
    }
    if (value->vt == VT_UNKNOWN) {
        if (value->punkVal) {
            HRESULT result = value->punkVal->QueryInterface(IID_IDispatch, object.PutVoid());
            if (FAILED(result))
                Raise(result);
        }
        return object;
    }
    Raise(DISP_E_TYPEMISMATCH);
}

Dispatch Dispatch::Create(const char* progId) {
    CLSID classId;
    HRESULT result = ole::CLSIDFromProgID(Widen(progId).c_str(), &classId);
    if (FAILED(result))
        Raise(result);
    ComPtr<IDispatch> object;
    result = ole::CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                   IID_IDispatch, object.PutVoid());
    if (FAILED(result))
        Raise(result);
    if (!object)
        Raise(E_NOINTERFACE);
    return Dispatch(std::move(object));
}

DISPID Dispatch::Member(const char* name) {
    auto wide = Widen(name);
    LPOLESTR names[] = {wide.data()};
    DISPID member = DISPID_UNKNOWN;
    HRESULT result = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member);
    if (FAILED(result))
        Raise(result);
    return member;
}

void Dispatch::Invoke(DISPID member, WORD flags, DISPPARAMS& parameters, VARIANT* value) {
    EXCEPINFO exception = {};
    UINT argumentError = 0;
    HRESULT result = object_->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, value,
                                     &exception, &argumentError);
    if (result == DISP_E_EXCEPTION)
        RaiseException(exception);
    if (FAILED(result))
        Raise(result);
}

void Dispatch::Call(const char* method, WORD flags, std::initializer_list<const Variant*> arguments,
                    VARIANT* result) {
    // IDispatch takes its arguments last first; they are only read by the callee.
    std::vector<VARIANT> reversed;
    reversed.reserve(arguments.size());
    for (auto it = std::rbegin(arguments); it != std::rend(arguments); ++it)
        reversed.push_back((*it)->Get());
    DISPPARAMS parameters = {reversed.data(), nullptr, UINT(reversed.size()), 0};
    Invoke(Member(method), flags, parameters, result);
}

void Dispatch::Call(const char* method, std::initializer_list<const Variant*> arguments) {
    Call(method, DISPATCH_METHOD, arguments, nullptr);
}

void Dispatch::Call(const char* method, std::initializer_list<const Variant*> arguments,
                    VariantResult& result) {
    // Collections answer "Item" as a method or as a property with an index; ask for either.
    Call(method, DISPATCH_METHOD | DISPATCH_PROPERTYGET, arguments, result.Put());
}

void Dispatch::Get(const char* property, VariantResult& result) {
    Call(property, DISPATCH_PROPERTYGET, {}, result.Put());
}

std::string Dispatch::GetText(const char* property) {
    VariantResult value;
    Get(property, value);
    return value.Text();
}

void Dispatch::Put(const char* property, const Variant& value) {
    VARIANT argument = value.Get();
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {&argument, &named, 1, 1};
    Invoke(Member(property), DISPATCH_PROPERTYPUT, parameters);
}

} // namespace tsy::win32
