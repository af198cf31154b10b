#include "ProgramDriver.h"

#include <cstring>

namespace tsy::e2e {

namespace {

win32::UniqueRegKey OpenKey(HKEY root, const std::string& path, REGSAM access, bool create) {
    win32::UniqueRegKey key;
    LONG result =
        create ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, access, nullptr, key.Put(), nullptr)
               : RegOpenKeyExA(root, path.c_str(), 0, access, key.Put());
    if (result != ERROR_SUCCESS)
        key.Release();
    return key;
}

} // namespace

void DeleteRegistryTree(HKEY root, const std::string& path) {
    RegDeleteTreeA(root, path.c_str());
    RegDeleteKeyA(root, path.c_str());
}

void WriteRegistryString(HKEY root, const std::string& path, const std::string& name,
                         const std::string& value) {
    auto key = OpenKey(root, path, KEY_SET_VALUE, true);
    if (key)
        RegSetValueExA(key.Get(), name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
}

void WriteRegistryDword(HKEY root, const std::string& path, const std::string& name, DWORD value) {
    auto key = OpenKey(root, path, KEY_SET_VALUE, true);
    if (key)
        RegSetValueExA(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof value);
}

std::optional<TRegistryValue> ReadRegistryValue(HKEY root, const std::string& path, const std::string& name) {
    auto key = OpenKey(root, path, KEY_QUERY_VALUE, false);
    if (!key)
        return std::nullopt;
    const char* valueName = name.empty() ? nullptr : name.c_str();
    TRegistryValue value;
    DWORD size = 0;
    if (RegQueryValueExA(key.Get(), valueName, nullptr, &value.Type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.Data.resize(size);
    if (RegQueryValueExA(key.Get(), valueName, nullptr, &value.Type, value.Data.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.Data.resize(size);
    return value;
}

std::optional<std::string> ReadRegistryString(HKEY root, const std::string& path, const std::string& name) {
    auto value = ReadRegistryValue(root, path, name);
    if (!value || value->Type != REG_SZ)
        return std::nullopt;
    std::string text(value->Data.begin(), value->Data.end());
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::optional<DWORD> ReadRegistryDword(HKEY root, const std::string& path, const std::string& name) {
    auto value = ReadRegistryValue(root, path, name);
    if (!value || value->Type != REG_DWORD || value->Data.size() != sizeof(DWORD))
        return std::nullopt;
    DWORD result;
    std::memcpy(&result, value->Data.data(), sizeof result);
    return result;
}

std::vector<std::string> RegistryValueNames(HKEY root, const std::string& path) {
    std::vector<std::string> names;
    auto key = OpenKey(root, path, KEY_QUERY_VALUE, false);
    if (!key)
        return names;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD length = sizeof name;
        if (RegEnumValueA(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

bool RegistryKeyExists(HKEY root, const std::string& path) {
    return bool(OpenKey(root, path, KEY_READ, false));
}

} // namespace tsy::e2e
