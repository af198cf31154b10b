#pragma once

#include "support/KeyValueStore.h"
#include "support/win32/UniqueHandle.h"

#include <string>

namespace tsy::win32 {

// One open registry key. Reads never fail loudly; writes raise ERegistryError.
class TRegistryKey : public IKey {
public:
    TRegistryKey(UniqueRegKey key, std::string path) : key_(std::move(key)), path_(std::move(path)) {}

    std::optional<RawValue> Read(std::string_view name) const override;
    std::optional<RawValue> ReadWide(std::string_view name) const override;
    void WriteWide(std::string_view name, const RawValue& value) override;
    bool HasSubKey(std::string_view name) const override;
    void Write(std::string_view name, const RawValue& value) override;
    bool DeleteValue(std::string_view name) override;

    HKEY Handle() const { return key_.Get(); }

private:
    UniqueRegKey key_;
    std::string path_;
};

// The Windows registry as a key-value store. Keys of the current user open for
// reading and writing (read-only when writing is refused); keys under the local
// machine and the classes root open for reading only and are never created.
class TRegistryStore : public IKeyValueStore {
public:
    std::unique_ptr<IKey> Open(RootKey root, std::string_view path, bool create) override;

    static HKEY RootHandle(RootKey root);
};

} // namespace tsy::win32
