#pragma once

#include "support/win32/ComPtr.h"

#include <oaidl.h>

#include <initializer_list>
#include <stdexcept>
#include <string>

namespace tsy::win32 {

// A failed COM call; the text is the system's message for the result code.
class EComError : public std::runtime_error {
public:
    EComError(HRESULT result, const std::string& message) : std::runtime_error(message), result_(result) {}
    HRESULT Result() const noexcept { return result_; }

private:
    HRESULT result_;
};

// The system's text for a result code, without the trailing line break.
std::string ComErrorText(HRESULT result);

// An owned VARIANT argument: cleared exactly once, never copied.
class Variant {
public:
    explicit Variant(const std::string& ansiText);
    // Keeps a literal from decaying to the bool overload.
    explicit Variant(const char* ansiText) : Variant(std::string(ansiText)) {}
    explicit Variant(int number) noexcept;
    explicit Variant(bool flag) noexcept;
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { ole::VariantClear(&value_); }
    const VARIANT& Get() const noexcept { return value_; }

private:
    VARIANT value_;
};

// An owned BSTR result: freed exactly once, never copied.
class BString {
public:
    BString() noexcept = default;
    BString(const BString&) = delete;
    BString& operator=(const BString&) = delete;
    ~BString() { ole::SysFreeString(text_); }
    // For APIs that hand out a string; frees the one held before.
    BSTR* Put() noexcept;
    // The text in the ANSI code page.
    std::string Text() const;

private:
    BSTR text_ = nullptr;
};

// An owned VARIANT result: cleared exactly once, never copied.
class VariantResult {
public:
    VariantResult() noexcept { ole::VariantInit(&value_); }
    VariantResult(const VariantResult&) = delete;
    VariantResult& operator=(const VariantResult&) = delete;
    ~VariantResult() { ole::VariantClear(&value_); }
    // For calls that write a result; clears the one held before.
    VARIANT* Put() noexcept;
    const VARIANT& Get() const noexcept { return value_; }
    // The value converted the way automation converts; failures raise EComError.
    std::string Text() const;
    int Integer() const;
    // The object held, or an empty pointer for an empty or null object value. Any other kind of
    // value raises EComError.
    ComPtr<IDispatch> Object() const;

private:
    VARIANT value_;
};

// Late-bound calls on an automation object, by member name.
class Dispatch {
public:
    explicit Dispatch(ComPtr<IDispatch> object) noexcept : object_(std::move(object)) {}
    // A new object of the class registered under the program identifier. Failures raise EComError.
    static Dispatch Create(const char* progId);

    // Arguments in their natural order. Failures raise EComError.
    void Call(const char* method, std::initializer_list<const Variant*> arguments);
    // A call whose value is wanted; it may name a method or a property with parameters.
    void Call(const char* method, std::initializer_list<const Variant*> arguments, VariantResult& result);
    void Get(const char* property, VariantResult& result);
    void Put(const char* property, const Variant& value);

    std::string GetText(const char* property);
    IDispatch* Object() const noexcept { return object_.Get(); }

private:
    DISPID Member(const char* name);
    void Invoke(DISPID member, WORD flags, DISPPARAMS& parameters, VARIANT* result = nullptr);
    void Call(const char* method, WORD flags, std::initializer_list<const Variant*> arguments,
              VARIANT* result);

    ComPtr<IDispatch> object_;
};

} // namespace tsy::win32
