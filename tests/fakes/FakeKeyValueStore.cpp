#include "FakeKeyValueStore.h"

#include "support/AnsiCodePage.h"
#include "support/Unicode.h"

#include <cctype>

namespace tsy::fakes {
namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (auto& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

bool IsText(ValueType type) {
    return type == ValueType::String || type == ValueType::ExpandString || type == ValueType::MultiString;
}

// A text value in the other width, as the registry's conversion through the code page gives it;
// characters the code page lacks become "?".
RawValue Narrowed(const RawValue& value) {
    std::string bytes;
    const TAnsiCodePage codePage;
    for (const char16_t unit : Utf16FromLEBytes(value.data)) {
        const auto byte = codePage.FromWide(std::u16string_view(&unit, 1));
        bytes += byte ? *byte : std::string("?");
    }
    return RawValue{value.type, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

RawValue Widened(const RawValue& value) {
    const std::string bytes(value.data.begin(), value.data.end());
    return RawValue{value.type, Utf16LEBytes(TAnsiCodePage().ToWide(bytes))};
}

std::optional<RawValue> ReadAs(const FakeKeyValueStore::Key& key, std::string_view name, bool wide) {
    const std::string lower = Lower(name);
    auto it = key.values.find(lower);
    if (it == key.values.end())
        return std::nullopt;
    if (!IsText(it->second.type) || (key.wide.count(lower) != 0) == wide)
        return it->second;
    return wide ? Widened(it->second) : Narrowed(it->second);
}

class FakeKey : public IKey {
public:
    FakeKey(FakeKeyValueStore& store, std::string path) : store_(store), path_(std::move(path)) {}

    std::optional<RawValue> Read(std::string_view name) const override {
        return ReadAs(store_.keys.at(path_), name, false);
    }
    std::optional<RawValue> ReadWide(std::string_view name) const override {
        return ReadAs(store_.keys.at(path_), name, true);
    }
    void WriteWide(std::string_view name, const RawValue& value) override {
        Write(name, value);
        store_.keys.at(path_).wide.insert(Lower(name));
    }
    bool HasSubKey(std::string_view name) const override {
        return store_.keys.count(path_ + "\\" + Lower(name)) != 0;
    }
    void Write(std::string_view name, const RawValue& value) override {
        auto& key = store_.keys.at(path_);
        if (store_.failWrites || key.readOnly ||
            (store_.failAfterWrites >= 0 && store_.writeCount >= store_.failAfterWrites))
            throw ERegistryError("Failed to set data for '" + std::string(name) + "'");
        key.values[Lower(name)] = value;
        key.wide.erase(Lower(name));
        ++store_.writeCount;
        store_.writeLog.push_back(std::string(name));
    }
    bool DeleteValue(std::string_view name) override {
        auto& key = store_.keys.at(path_);
        if (store_.failWrites || key.readOnly)
            throw ERegistryError("Failed to delete value '" + std::string(name) + "'");
        key.wide.erase(Lower(name));
        return key.values.erase(Lower(name)) != 0;
    }

private:
    FakeKeyValueStore& store_;
    std::string path_;
};

const char* RootName(RootKey root) {
    switch (root) {
    case RootKey::CurrentUser:
        return "hkcu";
    case RootKey::LocalMachine:
        return "hklm";
    case RootKey::ClassesRoot:
        return "hkcr";
    }
    return "?";
}

} // namespace

std::string FakeKeyValueStore::Normalize(RootKey root, std::string_view path) {
    std::string result = RootName(root);
    std::string part;
    auto flush = [&] {
        if (!part.empty())
            result += "\\" + Lower(part);
        part.clear();
    };
    for (char c : path) {
        if (c == '\\')
            flush();
        else
            part += c;
    }
    flush();
    return result;
}

std::unique_ptr<IKey> FakeKeyValueStore::Open(RootKey root, std::string_view path, bool create) {
    if (failOpen)
        return nullptr;
    auto normalized = Normalize(root, path);
    if (!keys.count(normalized)) {
        if (!create)
            return nullptr;
        At(root, path);
    }
    return std::make_unique<FakeKey>(*this, normalized);
}

FakeKeyValueStore::Key& FakeKeyValueStore::At(RootKey root, std::string_view path) {
    auto normalized = Normalize(root, path);
    // Parents exist whenever a child does, as in the registry.
    for (std::size_t i = normalized.find('\\'); i != std::string::npos; i = normalized.find('\\', i + 1))
        keys[normalized.substr(0, i)];
    return keys[normalized];
}

bool FakeKeyValueStore::Exists(RootKey root, std::string_view path) const {
    return keys.count(Normalize(root, path)) != 0;
}

const RawValue* FakeKeyValueStore::Find(RootKey root, std::string_view path, std::string_view name) const {
    auto key = keys.find(Normalize(root, path));
    if (key == keys.end())
        return nullptr;
    auto value = key->second.values.find(Lower(name));
    return value == key->second.values.end() ? nullptr : &value->second;
}

std::optional<std::string> FakeKeyValueStore::String(RootKey root, std::string_view path,
                                                     std::string_view name) const {
    auto key = keys.find(Normalize(root, path));
    if (key == keys.end())
        return std::nullopt;
    const auto value = ReadAs(key->second, name, false);
    if (!value || value->type != ValueType::String)
        return std::nullopt;
    std::string text(value->data.begin(), value->data.end());
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::optional<RawValue> FakeKeyValueStore::ReadWide(RootKey root, std::string_view path,
                                                    std::string_view name) const {
    auto key = keys.find(Normalize(root, path));
    return key == keys.end() ? std::nullopt : ReadAs(key->second, name, true);
}

std::optional<std::uint32_t> FakeKeyValueStore::Dword(RootKey root, std::string_view path,
                                                      std::string_view name) const {
    auto* value = Find(root, path, name);
    if (!value || value->type != ValueType::Dword || value->data.size() != 4)
        return std::nullopt;
    const auto& d = value->data;
    return std::uint32_t(d[0]) | std::uint32_t(d[1]) << 8 | std::uint32_t(d[2]) << 16 |
           std::uint32_t(d[3]) << 24;
}

void FakeKeyValueStore::SetString(RootKey root, std::string_view path, std::string_view name,
                                  std::string_view text) {
    RawValue value{ValueType::String, std::vector<std::uint8_t>(text.begin(), text.end())};
    value.data.push_back(0);
    Key& key = At(root, path);
    key.values[Lower(name)] = value;
    key.wide.erase(Lower(name));
}

void FakeKeyValueStore::SetDword(RootKey root, std::string_view path, std::string_view name,
                                 std::uint32_t number) {
    RawValue value{ValueType::Dword,
                   {std::uint8_t(number), std::uint8_t(number >> 8), std::uint8_t(number >> 16),
                    std::uint8_t(number >> 24)}};
    At(root, path).values[Lower(name)] = value;
}

} // namespace tsy::fakes
