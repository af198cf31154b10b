#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "support/KeyValueStore.h"

namespace tsy {

// Where the options live: HKEY_CURRENT_USER, absolute from the root.
inline constexpr RootKey kSettingsRoot = RootKey::CurrentUser;
inline constexpr std::string_view kSettingsPath = "\\SOFTWARE\\Orvelle\\Tessaly";

// A registry store with one open key at a time and typed reads that fall back to
// a default instead of failing. Writes raise ERegistryError as the store does.
class TSettings {
public:
    explicit TSettings(IKeyValueStore& store) : store_(store) {}
    TSettings(const TSettings&) = delete;
    TSettings& operator=(const TSettings&) = delete;
    virtual ~TSettings() = default;

    // Each closes the open key first; false when the key cannot be opened
    // (OpenForRead never creates, OpenForWrite creates missing parents).
    bool OpenForRead(RootKey root, std::string_view path);
    bool OpenForWrite(RootKey root, std::string_view path);
    // Opens a key below the open one in its place; false (and nothing open) on failure.
    bool OpenSubKey(std::string_view relativePath, bool create);
    void CloseKey();
    bool IsOpen() const { return key_ != nullptr; }

    bool ValueExists(std::string_view name) const;
    bool ReadBoolDef(std::string_view name, bool fallback) const;
    std::int32_t ReadIntegerDef(std::string_view name, std::int32_t fallback) const;
    std::string ReadStringDef(std::string_view name, std::string_view fallback) const;
    std::u16string ReadWideStringDef(std::string_view name, std::u16string_view fallback) const;
    // nullopt unless the value exists and is a number.
    std::optional<std::int32_t> ReadInteger(std::string_view name) const;
    // nullopt unless the value exists and is REG_BINARY.
    std::optional<std::vector<std::uint8_t>> ReadBinary(std::string_view name) const;

    // Writing without an open key raises ERegistryError.
    void WriteBool(std::string_view name, bool value);
    void WriteInteger(std::string_view name, std::int32_t value);
    void WriteString(std::string_view name, std::string_view value);
    void WriteWideString(std::string_view name, std::u16string_view value);
    void WriteBinary(std::string_view name, std::span<const std::uint8_t> data);
    bool DeleteValue(std::string_view name);

private:
    bool Open(RootKey root, std::string_view path, bool create);
    IKey& Key();

    IKeyValueStore& store_;
    std::unique_ptr<IKey> key_;
    RootKey root_ = kSettingsRoot;
    std::string path_;
};

} // namespace tsy
