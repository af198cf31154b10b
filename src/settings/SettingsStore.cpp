#include "settings/SettingsStore.h"

#include <utility>

namespace tsy {

bool TSettings::Open(RootKey root, std::string_view path, bool create) {
    CloseKey();
    root_ = root;
    key_ = store_.Open(root, path, create);
    if (key_)
        path_ = std::string(path);
    return IsOpen();
}

bool TSettings::OpenForRead(RootKey root, std::string_view path) {
    return Open(root, path, false);
}

bool TSettings::OpenForWrite(RootKey root, std::string_view path) {
    return Open(root, path, true);
}

bool TSettings::OpenSubKey(std::string_view relativePath, bool create) {
    if (!IsOpen())
        return false;
    std::string path = path_;
    if (!relativePath.empty() && relativePath.front() != '\\')
        path += '\\';
    path += relativePath;
    return Open(root_, path, create);
}

void TSettings::CloseKey() {
    key_.reset();
    path_.clear();
}

IKey& TSettings::Key() {
    if (!key_)
        throw ERegistryError("No registry key is open");
    return *key_;
}

bool TSettings::ValueExists(std::string_view name) const {
    return key_ && key_->Read(name).has_value();
}

bool TSettings::ReadBoolDef(std::string_view name, bool fallback) const {
    return ReadIntegerDef(name, fallback ? 1 : 0) != 0;
}

std::optional<std::int32_t> TSettings::ReadInteger(std::string_view name) const {
    if (!key_)
        return std::nullopt;
    auto number = ReadDword(*key_, name);
    if (!number)
        return std::nullopt;
    return static_cast<std::int32_t>(*number);
}

std::int32_t TSettings::ReadIntegerDef(std::string_view name, std::int32_t fallback) const {
    return ReadInteger(name).value_or(fallback);
}

std::string TSettings::ReadStringDef(std::string_view name, std::string_view fallback) const {
    if (!key_)
        return std::string(fallback);
    auto text = ReadString(*key_, name);
    return text ? *text : std::string(fallback);
}

std::u16string TSettings::ReadWideStringDef(std::string_view name, std::u16string_view fallback) const {
    if (!key_)
        return std::u16string(fallback);
    auto text = ReadWideString(*key_, name);
    return text ? *text : std::u16string(fallback);
}

std::optional<std::vector<std::uint8_t>> TSettings::ReadBinary(std::string_view name) const {
    if (!key_)
        return std::nullopt;
    auto value = key_->ReadTyped(name, ValueType::Binary);
    if (!value || value->type != ValueType::Binary)
        return std::nullopt;
    return std::move(value->data);
}

void TSettings::WriteBool(std::string_view name, bool value) {
    WriteDword(Key(), name, value ? 1u : 0u);
}

void TSettings::WriteInteger(std::string_view name, std::int32_t value) {
    WriteDword(Key(), name, static_cast<std::uint32_t>(value));
}

void TSettings::WriteString(std::string_view name, std::string_view value) {
    tsy::WriteString(Key(), name, value);
}

void TSettings::WriteWideString(std::string_view name, std::u16string_view value) {
    tsy::WriteWideString(Key(), name, value);
}

void TSettings::WriteBinary(std::string_view name, std::span<const std::uint8_t> data) {
    Key().Write(name, RawValue{ValueType::Binary, std::vector<std::uint8_t>(data.begin(), data.end())});
}

bool TSettings::DeleteValue(std::string_view name) {
    return Key().DeleteValue(name);
}

} // namespace tsy
