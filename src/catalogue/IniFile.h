#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tsy {

// An INI text held in memory, read and written by the rules of the Windows
// private-profile functions: the text is parsed once, lookups are hashed, and
// the writer produces the text those functions would have left behind.
class TIniFile {
public:
    TIniFile();
    explicit TIniFile(std::string_view text);
    // Parses text it takes over, sparing a copy of a large file.
    static TIniFile Adopt(std::string text);
    // Names and values point into text the object owns: moving keeps them, copying would not.
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;
    TIniFile(TIniFile&&) noexcept = default;
    TIniFile& operator=(TIniFile&&) noexcept = default;
    ~TIniFile() = default;

    // True when the section lists at least one "key=value" entry.
    bool SectionExists(std::string_view section) const;
    // True when the key is among the section's listed entries.
    bool ValueExists(std::string_view section, std::string_view key) const;
    // The key names the section lists, in file order.
    std::vector<std::string> ReadSection(std::string_view section) const;
    // Every section name once, as lookups see them (the first of duplicates), in file order.
    // The views live as long as the object and its next write.
    std::vector<std::string_view> SectionNames() const;
    // The trimmed, unquoted value, whole however long (a member list of a large collection or a
    // long search URL must not be cut); fallback when the key is missing.
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

    // A value as the writer puts it in the text: on one line, without leading spaces.
    static std::string WrittenValue(std::string_view value);

private:
    struct Caseless {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const noexcept;
        bool operator()(std::string_view a, std::string_view b) const noexcept;
    };
    static constexpr std::uint32_t None = static_cast<std::uint32_t>(-1);
    // Open addressing over names ignoring case; no allocation per name.
    class Index {
    public:
        std::uint32_t Find(std::string_view name) const;
        // Keeps the value already there: the first of duplicates wins.
        void Emplace(std::string_view name, std::uint32_t value);
        void Clear();
        void Reserve(std::size_t count);
        // Every stored value, in no particular order.
        std::vector<std::uint32_t> Values() const;

    private:
        struct Slot {
            std::string_view name;
            std::uint32_t hash = 0; // compared first, sparing a visit to the name
            std::uint32_t value = None;
        };
        void Grow();
        void Rehash(std::size_t size);
        std::vector<Slot> slots_;
        std::size_t used_ = 0;
    };

    // Entries of all sections share one array; each section links its own in order.
    struct Entry {
        std::string_view name;
        std::string_view value;
        std::uint32_t next = None;
        std::uint32_t position = 0; // within its section
        bool hasValue = false;      // false for a line without "="
    };
    struct Section {
        std::string_view name;
        std::uint32_t first = None;
        std::uint32_t last = None;
        std::uint32_t count = 0;
        // A key listing shows "=value" lines as empty names, and a reader of
        // the listing stops at the first one: only entries before it are listed.
        std::uint32_t listEnd = None;
        std::unique_ptr<Index> index; // first entry of each name, once the section is large
    };

    void Parse(std::string_view text);
    std::string_view Keep(std::string text);
    Section& AddSection(std::string_view name);
    void AddEntry(Section& section, std::string_view name, std::string_view value, bool hasValue);
    void RebuildSectionIndex();
    const Section* FindSection(std::string_view name) const;
    std::uint32_t FindEntry(const Section& section, std::string_view name) const;
    const Entry* FindListed(const Section& section, std::string_view name) const;

    std::deque<std::string> storage_; // the parsed text and every written text, at fixed addresses
    std::vector<Section> sections_;   // the first one is the nameless text before any header
    std::vector<Entry> entries_;
    Index sectionIndex_; // first section of each name
    // Loads ask for one section several times in a row; the last answer is kept.
    mutable std::string_view lastName_;
    mutable std::uint32_t lastSection_ = None;
};

// The "%.3d" form of record keys: "007", "042", "1000", "-005".
std::string RecordKey(std::int32_t number);

} // namespace tsy
