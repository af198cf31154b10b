#pragma once

#include "support/KeyValueStore.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tsy::fakes {

// An in-memory registry. Key paths and value names match ignoring ASCII case,
// as the registry does. Tests may poke at `keys` directly. Texts are held as they were
// written; the other width's call converts them through Windows-1252, as the registry
// converts through the code page.
class FakeKeyValueStore : public IKeyValueStore {
public:
    struct Key {
        std::map<std::string, RawValue> values; // by lower-cased name
        std::set<std::string> wide;             // names of the values written through the wide calls
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
    // A value as the wide calls see it: a text value's UTF-16, converted when it was written narrow.
    std::optional<RawValue> ReadWide(RootKey root, std::string_view path, std::string_view name) const;
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
