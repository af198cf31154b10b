#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tsy {

// A hierarchical key-value store shaped like the registry: the Windows build
// plugs in the registry, tests an in-memory store. Paths use "\" separators;
// a leading "\" is allowed and ignored.
enum class RootKey { CurrentUser, LocalMachine, ClassesRoot };

enum class ValueType : std::uint32_t {
    None = 0,
    String = 1,
    ExpandString = 2,
    Binary = 3,
    Dword = 4,
    MultiString = 7
};

struct RawValue {
    ValueType type = ValueType::None;
    std::vector<std::uint8_t> data; // as the registry holds it (texts NUL-terminated)
};

class ERegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class IKey {
public:
    virtual ~IKey() = default;
    // nullopt when the value does not exist. An empty name is the default value.
    virtual std::optional<RawValue> Read(std::string_view name) const = 0;
    // The value as a reader of that type wants it. A store that keeps no types (a text file)
    // converts what it holds when it can; a typed one returns the value as it is, for the
    // caller to check.
    virtual std::optional<RawValue> ReadTyped(std::string_view name, ValueType) const { return Read(name); }
    virtual bool HasSubKey(std::string_view name) const = 0;
    // Failures raise ERegistryError.
    virtual void Write(std::string_view name, const RawValue& value) = 0;
    // The same through the platform's wide calls: the data of a text value is UTF-16
    // little-endian, however it was written; other types are unchanged.
    virtual std::optional<RawValue> ReadWide(std::string_view name) const = 0;
    virtual void WriteWide(std::string_view name, const RawValue& value) = 0;
    // A missing value is not an error; true when something was deleted.
    virtual bool DeleteValue(std::string_view name) = 0;
};

class IKeyValueStore {
public:
    virtual ~IKeyValueStore() = default;
    // nullptr when the key does not exist (create false) or cannot be opened.
    // Keys under LocalMachine and ClassesRoot are opened for reading only.
    virtual std::unique_ptr<IKey> Open(RootKey root, std::string_view path, bool create) = 0;
};

// Typed access over raw values. Each returns nullopt for a missing value or one of another type.
std::optional<std::string> ReadString(const IKey& key, std::string_view name);
std::optional<std::uint32_t> ReadDword(const IKey& key, std::string_view name);
void WriteString(IKey& key, std::string_view name, std::string_view text);
void WriteDword(IKey& key, std::string_view name, std::uint32_t number);
// A REG_SZ (or REG_EXPAND_SZ) through the wide calls.
std::optional<std::u16string> ReadWideString(const IKey& key, std::string_view name);
void WriteWideString(IKey& key, std::string_view name, std::u16string_view text);

} // namespace tsy
