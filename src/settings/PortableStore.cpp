#include "settings/PortableStore.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "catalogue/IniFile.h"
#include "settings/SettingsStore.h"
#include "support/Text.h"
#include "support/Unicode.h"

namespace tsy {
namespace {

constexpr std::string_view kOwnSection = "Tessaly";
constexpr std::string_view kDefaultValueKey = "@";

std::string_view KeyName(std::string_view valueName) {
    return valueName.empty() ? kDefaultValueKey : valueName;
}

// The section of a path below the settings key; nullopt for any other path.
std::optional<std::string> SectionOf(RootKey root, std::string_view path) {
    if (root != kSettingsRoot)
        return std::nullopt;
    std::string_view base = kSettingsPath;
    while (!base.empty() && base.front() == '\\')
        base.remove_prefix(1);
    while (!path.empty() && path.front() == '\\')
        path.remove_prefix(1);
    while (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    if (!StartsWithIgnoreAsciiCase(path, base))
        return std::nullopt;
    path.remove_prefix(base.size());
    if (path.empty())
        return std::string(kOwnSection);
    if (path.front() != '\\' || path.size() == 1)
        return std::nullopt;
    return std::string(path.substr(1));
}

// The reader drops blanks around a value and one pair of quotes around it: a pair of quotes
// keeps a text that would lose either exactly as it is.
std::string Protected(std::string text) {
    const bool blankEnds = !text.empty() && (static_cast<unsigned char>(text.front()) <= 32 ||
                                             static_cast<unsigned char>(text.back()) <= 32);
    const bool quoted =
        text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
    return blankEnds || quoted ? '"' + text + '"' : text;
}

std::string HexOf(const std::vector<std::uint8_t>& bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::uint8_t byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

std::optional<std::vector<std::uint8_t>> BytesOfHex(std::string_view text) {
    if (text.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = AsciiHexValue(text[i]);
        const int low = AsciiHexValue(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return bytes;
}

// A decimal number of 32 bits, written signed, read signed or unsigned.
std::optional<std::uint32_t> NumberOf(std::string_view text) {
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || number < INT32_MIN ||
        number > UINT32_MAX)
        return std::nullopt;
    return static_cast<std::uint32_t>(number);
}

std::vector<std::uint8_t> DwordBytes(std::uint32_t number) {
    return {std::uint8_t(number), std::uint8_t(number >> 8), std::uint8_t(number >> 16),
            std::uint8_t(number >> 24)};
}

std::string_view BytesView(const std::vector<std::uint8_t>& data) {
    return std::string_view(reinterpret_cast<const char*>(data.data()), data.size());
}

// The text of a narrow string value or of each entry of a multi-string: up to its NUL.
std::vector<std::string_view> Entries(std::string_view data, bool multi) {
    std::vector<std::string_view> entries;
    while (!data.empty()) {
        const std::size_t nul = data.find('\0');
        const std::string_view entry = data.substr(0, nul);
        if (multi && entry.empty())
            break;
        entries.push_back(entry);
        if (!multi || nul == std::string_view::npos)
            break;
        data.remove_prefix(nul + 1);
    }
    if (!multi && entries.empty())
        entries.push_back({});
    return entries;
}

std::vector<std::u16string> WideEntries(const std::vector<std::uint8_t>& data, bool multi) {
    std::u16string units = Utf16FromLEBytes(data);
    std::vector<std::u16string> entries;
    std::size_t start = 0;
    while (start <= units.size()) {
        std::size_t nul = units.find(u'\0', start);
        if (nul == std::u16string::npos)
            nul = units.size();
        if (multi && nul == start)
            break;
        entries.push_back(units.substr(start, nul - start));
        if (!multi)
            break;
        start = nul + 1;
    }
    return entries;
}

bool IsText(ValueType type) {
    return type == ValueType::String || type == ValueType::ExpandString;
}

} // namespace

class TPortableStore::TKey : public IKey {
public:
    TKey(TPortableStore& store, std::string section) : store_(store), section_(std::move(section)) {}

    std::optional<RawValue> Read(std::string_view name) const override {
        return store_.Read(section_, name, false);
    }
    std::optional<RawValue> ReadTyped(std::string_view name, ValueType type) const override {
        return store_.ReadTyped(section_, name, type);
    }
    std::optional<RawValue> ReadWide(std::string_view name) const override {
        return store_.Read(section_, name, true);
    }
    bool HasSubKey(std::string_view name) const override {
        std::lock_guard lock(store_.mutex_);
        return store_.KeyExists(section_ == kOwnSection ? std::string(name)
                                                        : section_ + '\\' + std::string(name));
    }
    void Write(std::string_view name, const RawValue& value) override {
        store_.Write(section_, name, value, false);
    }
    void WriteWide(std::string_view name, const RawValue& value) override {
        store_.Write(section_, name, value, true);
    }
    bool DeleteValue(std::string_view name) override { return store_.Delete(section_, name); }

private:
    TPortableStore& store_;
    std::string section_;
};

TPortableStore::TPortableStore(IKeyValueStore& passOn, IFileSystem& files, std::string filePath,
                               const ICodePage& codePage)
    : passOn_(passOn), files_(files), filePath_(std::move(filePath)), codePage_(codePage) {
    std::optional<std::string> text = files_.ReadFile(filePath_);
    if (!text)
        return;
    const TIniFile ini = TIniFile::Adopt(std::move(*text));
    for (std::string_view name : ini.SectionNames()) {
        TSection section{std::string(name), {}};
        for (const std::string& key : ini.ReadSection(name)) {
            const auto same = [&](const auto& value) { return EqualIgnoreAsciiCase(value.first, key); };
            if (std::find_if(section.Values.begin(), section.Values.end(), same) == section.Values.end())
                section.Values.emplace_back(key, ini.ReadString(name, key, ""));
        }
        if (!section.Values.empty())
            sections_.push_back(std::move(section));
    }
}

TPortableStore::~TPortableStore() = default;

std::unique_ptr<IKey> TPortableStore::Open(RootKey root, std::string_view path, bool create) {
    std::optional<std::string> section = SectionOf(root, path);
    if (!section)
        return passOn_.Open(root, path, create);
    std::lock_guard lock(mutex_);
    if (!KeyExists(*section)) {
        if (!create)
            return nullptr;
        created_.push_back(*section);
    }
    return std::make_unique<TKey>(*this, std::move(*section));
}

std::string TPortableStore::Text() const {
    std::lock_guard lock(mutex_);
    return TextLocked();
}

std::string TPortableStore::TextLocked() const {
    TIniFile ini;
    for (const TSection& section : sections_)
        for (const auto& [name, text] : section.Values)
            ini.WriteString(section.Name, name, Protected(text));
    return ini.Text();
}

TPortableStore::TSection* TPortableStore::Find(std::string_view section) {
    for (TSection& candidate : sections_)
        if (EqualIgnoreAsciiCase(candidate.Name, section))
            return &candidate;
    return nullptr;
}

const TPortableStore::TSection* TPortableStore::Find(std::string_view section) const {
    return const_cast<TPortableStore*>(this)->Find(section);
}

bool TPortableStore::KeyExists(std::string_view section) const {
    // A key exists when it holds values or a key below it does, as in the registry.
    const bool own = EqualIgnoreAsciiCase(section, kOwnSection);
    const auto within = [&](std::string_view name) {
        return own || EqualIgnoreAsciiCase(name, section) ||
               (StartsWithIgnoreAsciiCase(name, section) && name.size() > section.size() &&
                name[section.size()] == '\\');
    };
    for (const TSection& candidate : sections_)
        if (within(candidate.Name))
            return true;
    for (const std::string& name : created_)
        if (within(name))
            return true;
    return false;
}

std::optional<std::string> TPortableStore::Get(std::string_view section, std::string_view name) const {
    if (const TSection* found = Find(section))
        for (const auto& [key, text] : found->Values)
            if (EqualIgnoreAsciiCase(key, name))
                return text;
    return std::nullopt;
}

bool TPortableStore::Set(std::string_view section, std::string_view name, std::string text) {
    TSection* found = Find(section);
    if (!found) {
        sections_.push_back(TSection{std::string(section), {}});
        found = &sections_.back();
    }
    for (auto& [key, stored] : found->Values)
        if (EqualIgnoreAsciiCase(key, name)) {
            if (stored == text)
                return false;
            stored = std::move(text);
            return true;
        }
    found->Values.emplace_back(std::string(name), std::move(text));
    return true;
}

bool TPortableStore::Erase(std::string_view section, std::string_view name) {
    TSection* found = Find(section);
    if (!found)
        return false;
    return std::erase_if(found->Values,
                         [&](const auto& value) { return EqualIgnoreAsciiCase(value.first, name); }) != 0;
}

bool TPortableStore::EraseNumbered(std::string_view section, std::string_view name) {
    bool erased = false;
    for (std::size_t i = 0; Erase(section, std::string(name) + '.' + std::to_string(i)); ++i)
        erased = true;
    return erased;
}

std::vector<std::string> TPortableStore::Numbered(std::string_view section, std::string_view name) const {
    std::vector<std::string> entries;
    while (std::optional<std::string> entry =
               Get(section, std::string(name) + '.' + std::to_string(entries.size())))
        entries.push_back(std::move(*entry));
    return entries;
}

void TPortableStore::Save() {
    std::erase_if(sections_, [](const TSection& section) { return section.Values.empty(); });
    try {
        files_.WriteFileAtomic(filePath_, TextLocked());
    } catch (const EFileError& error) {
        throw ERegistryError(error.what());
    }
}

std::string TPortableStore::FromAnsi(std::string_view bytes) const {
    return Utf16ToUtf8(codePage_.ToWide(bytes));
}

std::string TPortableStore::ToAnsi(std::string_view utf8) const {
    // What the code page lacks becomes "?", as the narrow registry calls give it.
    return FromWideOrMarks(codePage_, Utf8ToUtf16(utf8));
}

std::optional<RawValue> TPortableStore::Read(std::string_view section, std::string_view name,
                                             bool wide) const {
    std::lock_guard lock(mutex_);
    const auto text = [&](std::vector<std::string> entries, ValueType type) {
        RawValue value{type, {}};
        for (const std::string& entry : entries) {
            if (wide) {
                const auto units = Utf16LEBytes(Utf8ToUtf16(entry));
                value.data.insert(value.data.end(), units.begin(), units.end());
                value.data.insert(value.data.end(), 2, 0);
            } else {
                const std::string bytes = ToAnsi(entry);
                value.data.insert(value.data.end(), bytes.begin(), bytes.end());
                value.data.push_back(0);
            }
        }
        if (type == ValueType::MultiString)
            value.data.insert(value.data.end(), wide ? 2 : 1, 0);
        return value;
    };
    if (std::optional<std::string> plain = Get(section, KeyName(name)))
        return text({std::move(*plain)}, ValueType::String);
    std::vector<std::string> entries = Numbered(section, KeyName(name));
    if (!entries.empty())
        return text(std::move(entries), ValueType::MultiString);
    return std::nullopt;
}

std::optional<RawValue> TPortableStore::ReadTyped(std::string_view section, std::string_view name,
                                                  ValueType type) const {
    if (type != ValueType::Dword && type != ValueType::Binary)
        return Read(section, name, false);
    std::lock_guard lock(mutex_);
    const std::optional<std::string> plain = Get(section, KeyName(name));
    if (!plain)
        return std::nullopt;
    if (type == ValueType::Dword) {
        const std::optional<std::uint32_t> number = NumberOf(*plain);
        return number ? std::optional<RawValue>(RawValue{type, DwordBytes(*number)}) : std::nullopt;
    }
    std::optional<std::vector<std::uint8_t>> bytes = BytesOfHex(*plain);
    return bytes ? std::optional<RawValue>(RawValue{type, std::move(*bytes)}) : std::nullopt;
}

void TPortableStore::Write(std::string_view section, std::string_view name, const RawValue& value,
                           bool wide) {
    std::lock_guard lock(mutex_);
    const std::string_view key = KeyName(name);
    bool changed = false;
    if (value.type == ValueType::MultiString) {
        changed = Erase(section, key);
        std::vector<std::string> entries;
        if (wide)
            for (const std::u16string& entry : WideEntries(value.data, true))
                entries.push_back(Utf16ToUtf8(entry));
        else
            for (std::string_view entry : Entries(BytesView(value.data), true))
                entries.push_back(FromAnsi(entry));
        if (entries != Numbered(section, key)) {
            EraseNumbered(section, key);
            for (std::size_t i = 0; i < entries.size(); ++i)
                Set(section, std::string(key) + '.' + std::to_string(i), std::move(entries[i]));
            changed = true;
        }
    } else {
        std::string text;
        if (IsText(value.type))
            text = wide ? Utf16ToUtf8(WideEntries(value.data, false).front())
                        : FromAnsi(Entries(BytesView(value.data), false).front());
        else if (value.type == ValueType::Dword && value.data.size() == 4)
            text = std::to_string(static_cast<std::int32_t>(value.data[0] | value.data[1] << 8 |
                                                            value.data[2] << 16 |
                                                            std::uint32_t(value.data[3]) << 24));
        else
            text = HexOf(value.data);
        changed = EraseNumbered(section, key);
        changed = Set(section, key, std::move(text)) || changed;
    }
    if (changed)
        Save();
}

bool TPortableStore::Delete(std::string_view section, std::string_view name) {
    std::lock_guard lock(mutex_);
    const std::string_view key = KeyName(name);
    const bool plain = Erase(section, key);
    const bool numbered = EraseNumbered(section, key);
    if (plain || numbered)
        Save();
    return plain || numbered;
}

} // namespace tsy
