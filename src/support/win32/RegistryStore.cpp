#include "support/win32/RegistryStore.h"

#include "support/Format.h"
#include "support/win32/SystemCodePage.h"

namespace tsy::win32 {
namespace {

bool IsText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

} // namespace

std::optional<RawValue> TRegistryKey::Read(std::string_view name) const {
    const std::string valueName(name);
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = ::RegQueryValueExA(key_.Get(), valueName.c_str(), nullptr, &type, nullptr, &size);
    // The value may grow between the two calls; ask again until it fits.
    std::vector<std::uint8_t> data;
    while (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
        data.resize(size);
        DWORD got = size;
        rc = ::RegQueryValueExA(key_.Get(), valueName.c_str(), nullptr, &type,
                                data.empty() ? nullptr : data.data(), &got);
        if (rc == ERROR_SUCCESS) {
            data.resize(got);
            // The registry does not guarantee the terminator of texts written by others.
            if (IsText(type) && (data.empty() || data.back() != 0))
                data.push_back(0);
            return RawValue{static_cast<ValueType>(type), std::move(data)};
        }
        if (rc == ERROR_MORE_DATA)
            size = got > size ? got : size * 2 + 16;
    }
    return std::nullopt;
}

std::optional<RawValue> TRegistryKey::ReadWide(std::string_view name) const {
    // Value names are the program's own ASCII names.
    const std::wstring valueName = WideOf(TSystemCodePage().ToWide(name));
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = ::RegQueryValueExW(key_.Get(), valueName.c_str(), nullptr, &type, nullptr, &size);
    std::vector<std::uint8_t> data;
    while (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
        data.resize(size);
        DWORD got = size;
        rc = ::RegQueryValueExW(key_.Get(), valueName.c_str(), nullptr, &type,
                                data.empty() ? nullptr : data.data(), &got);
        if (rc == ERROR_SUCCESS) {
            data.resize(got);
            if (IsText(type)) {
                // An odd byte cannot be half of a character; the terminator may be missing.
                if (data.size() % 2 != 0)
                    data.pop_back();
                if (data.size() < 2 || data[data.size() - 1] != 0 || data[data.size() - 2] != 0) {
                    data.push_back(0);
                    data.push_back(0);
                }
            }
            return RawValue{static_cast<ValueType>(type), std::move(data)};
        }
        if (rc == ERROR_MORE_DATA)
            size = got > size ? got : size * 2 + 16;
    }
    return std::nullopt;
}

void TRegistryKey::WriteWide(std::string_view name, const RawValue& value) {
    const std::string narrowName(name);
    const std::wstring valueName = WideOf(TSystemCodePage().ToWide(name));
    LONG rc = ::RegSetValueExW(key_.Get(), valueName.c_str(), 0, static_cast<DWORD>(value.type),
                               value.data.empty() ? nullptr : value.data.data(),
                               static_cast<DWORD>(value.data.size()));
    if (rc != ERROR_SUCCESS)
        throw ERegistryError(Format("Failed to set data for '%s'", narrowName.c_str()));
}

bool TRegistryKey::HasSubKey(std::string_view name) const {
    UniqueRegKey sub;
    return ::RegOpenKeyExA(key_.Get(), std::string(name).c_str(), 0, KEY_READ, sub.Put()) == ERROR_SUCCESS;
}

void TRegistryKey::Write(std::string_view name, const RawValue& value) {
    const std::string valueName(name);
    LONG rc = ::RegSetValueExA(key_.Get(), valueName.c_str(), 0, static_cast<DWORD>(value.type),
                               value.data.empty() ? nullptr : value.data.data(),
                               static_cast<DWORD>(value.data.size()));
    if (rc != ERROR_SUCCESS)
        throw ERegistryError(Format("Failed to set data for '%s'", valueName.c_str()));
}

bool TRegistryKey::DeleteValue(std::string_view name) {
    const std::string valueName(name);
    LONG rc = ::RegDeleteValueA(key_.Get(), valueName.c_str());
    if (rc == ERROR_SUCCESS)
        return true;
    if (rc == ERROR_FILE_NOT_FOUND)
        return false;
    throw ERegistryError(Format("Failed to delete value '%s' in key '%s'", valueName.c_str(), path_.c_str()));
}

HKEY TRegistryStore::RootHandle(RootKey root) {
    switch (root) {
    case RootKey::CurrentUser:
        return HKEY_CURRENT_USER;
    case RootKey::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case RootKey::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    }
    return HKEY_CURRENT_USER;
}

std::unique_ptr<IKey> TRegistryStore::Open(RootKey root, std::string_view path, bool create) {
    while (!path.empty() && path.front() == '\\')
        path.remove_prefix(1);
    const std::string subKey(path);
    HKEY rootKey = RootHandle(root);
    UniqueRegKey key;
    if (root != RootKey::CurrentUser) {
        if (::RegOpenKeyExA(rootKey, subKey.c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS)
            return nullptr;
    } else if (create) {
        if (::RegCreateKeyExA(rootKey, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_READ | KEY_WRITE, nullptr, key.Put(), nullptr) != ERROR_SUCCESS)
            return nullptr;
    } else {
        LONG rc = ::RegOpenKeyExA(rootKey, subKey.c_str(), 0, KEY_READ | KEY_WRITE, key.Put());
        if (rc == ERROR_ACCESS_DENIED)
            rc = ::RegOpenKeyExA(rootKey, subKey.c_str(), 0, KEY_READ, key.Put());
        if (rc != ERROR_SUCCESS)
            return nullptr;
    }
    return std::make_unique<TRegistryKey>(std::move(key), subKey);
}

} // namespace tsy::win32
