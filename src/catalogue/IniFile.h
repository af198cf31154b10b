#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tsy {

// An INI text held in memory, read and written by the rules of the Windows
// private-profile functions: the text is parsed once, lookups are hashed, and
// the writer produces the text those functions would have left behind.
class TIniFile {
public:
    // GetPrivateProfileStringA with a 2048-character buffer returns at most this many.
    static constexpr std::size_t MaxValueLength = 2047;

    TIniFile() = default;
    explicit TIniFile(std::string_view text);

    // True when the section lists at least one "key=value" entry.
    bool SectionExists(std::string_view section) const;
    // True when the key is among the section's listed entries.
    bool ValueExists(std::string_view section, std::string_view key) const;
    // The key names the section lists, in file order.
    std::vector<std::string> ReadSection(std::string_view section) const;
    // Every section name once, as lookups see them (the first of duplicates), in file order.
    std::vector<std::string> SectionNames() const;
    // The trimmed, unquoted, length-capped value; fallback when the key is missing.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // A decimal 32-bit value; fallback when missing or not a number.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;

    // Replaces the first matching key's value, else appends the key to the
    // section, else appends the section to the text.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    // Removes the first section of that name; true when one was removed.
    bool EraseSection(std::string_view section);

    // The whole text with CRLF line ends.
    std::string Text() const;

private:
    struct Caseless {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const noexcept;
        bool operator()(std::string_view a, std::string_view b) const noexcept;
    };
    using Index = std::unordered_map<std::string, std::size_t, Caseless, Caseless>;

    struct Entry {
        std::string name;
        std::string value;
        bool hasValue = false; // false for a line without "="
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        Index index; // first entry of each name, once the section is large
        // A key listing shows "=value" lines as empty names, and a reader of
        // the listing stops at the first one: only entries before it are listed.
        std::size_t listEnd = static_cast<std::size_t>(-1);
        std::size_t ListEnd() const { return std::min(listEnd, entries.size()); }
    };

    void Parse(std::string_view text);
    Section& AddSection(std::string_view name);
    void AddEntry(Section& section, Entry entry);
    const Section* FindSection(std::string_view name) const;
    Section* FindSection(std::string_view name);
    static std::size_t FindEntry(const Section& section, std::string_view name);
    static const Entry* FindListed(const Section& section, std::string_view name);

    std::vector<Section> sections_; // the first one is the nameless text before any header
    Index sectionIndex_;            // first section of each name
};

// The "%.3d" form of record keys: "007", "042", "1000", "-005".
std::string RecordKey(std::int32_t number);

} // namespace tsy
