#pragma once

#include "support/KeyValueStore.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tsy::fakes {

// An in-memory registry. Key paths and value names match ignoring ASCII case,
// as the registry does. Tests may poke at `keys` directly.
class FakeKeyValueStore : public IKeyValueStore {
public:
    struct Key {
        std::map<std::string, RawValue> values; // by lower-cased name
        bool readOnly = false;
    };

    std::unique_ptr<IKey> Open(RootKey root, std::string_view path, bool create) override;

    // Helpers for arranging and checking tests.
    Key& At(RootKey root, std::string_view path); // creates the key and its parents
    bool Exists(RootKey root, std::string_view path) const;
    const RawValue* Find(RootKey root, std::string_view path, std::string_view name) const;
    std::optional<std::string> String(RootKey root, std::string_view path, std::string_view name) const;
    std::optional<std::uint32_t> Dword(RootKey root, std::string_view path, std::string_view name) const;
    void SetString(RootKey root, std::string_view path, std::string_view name, std::string_view text);
    void SetDword(RootKey root, std::string_view path, std::string_view name, std::uint32_t number);

    // Makes every write fail, as a registry that refuses would.
    bool failWrites = false;
    // When not negative, writes fail once this many have been made, as a save cut short would.
    int failAfterWrites = -1;
    // Makes Open fail for every path, as an inaccessible hive would.
    bool failOpen = false;

    std::map<std::string, Key> keys; // by "root\lower-cased\path"
    int writeCount = 0;
    // Names of the values written through keys, in the order of the writes.
    std::vector<std::string> writeLog;

    static std::string Normalize(RootKey root, std::string_view path);
};

} // namespace tsy::fakes
