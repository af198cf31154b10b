#include "catalogue/IniFile.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace tsy {
namespace {

// The characters the profile functions trim: what Windows calls white space
// in the ANSI code page, plus Ctrl+Z (an old end-of-file mark).
constexpr std::array<bool, 256> MakeSpaceTable() {
    std::array<bool, 256> table{};
    for (int c = 0x09; c <= 0x0D; ++c)
        table[c] = true;
    table[0x20] = true;
    table[0x1A] = true;
    return table;
}
constexpr std::array<bool, 256> SpaceTable = MakeSpaceTable();

bool IsSpace(char c) {
    return SpaceTable[static_cast<unsigned char>(c)];
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// The profile functions keep C strings: whatever follows a NUL is invisible.
std::string_view CutAtNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// A key listing shows the lines with "=" except comments.
bool IsListed(std::string_view name, bool hasValue) {
    return hasValue && (name.empty() || name[0] != ';');
}

// A value with CR, LF or NUL would end its line early and let the rest pose as
// new keys or sections; the writer keeps every value on its own line.
std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    return line;
}

// Mirrors the profile functions' copy of a value into a buffer of `length`
// characters: one pair of matching quotes goes, and when the quoted value
// exactly fills the buffer the closing quote is cut by the length limit and
// the last copied character goes instead, as the platform does.
std::string CopyValue(std::string_view value, std::size_t length) {
    bool quoted = false;
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        quoted = true;
        value.remove_prefix(1);
    }
    std::string copy(value.substr(0, std::min(value.size(), length - 1)));
    if (quoted && length >= value.size() && !copy.empty())
        copy.pop_back();
    return copy;
}

constexpr std::size_t IndexThreshold = 8;

} // namespace

std::size_t TIniFile::Caseless::operator()(std::string_view text) const noexcept {
    std::size_t hash = 14695981039346656037ull & static_cast<std::size_t>(-1);
    for (char c : text) {
        hash ^= static_cast<unsigned char>(Lower(c));
        hash *= static_cast<std::size_t>(1099511628211ull);
    }
    return hash;
}

bool TIniFile::Caseless::operator()(std::string_view a, std::string_view b) const noexcept {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

TIniFile::TIniFile(std::string_view text) {
    Parse(text);
}

TIniFile::Section& TIniFile::AddSection(std::string_view name) {
    sections_.push_back(Section{std::string(name), {}, {}});
    sectionIndex_.emplace(std::string(name), sections_.size() - 1);
    return sections_.back();
}

void TIniFile::AddEntry(Section& section, Entry entry) {
    section.entries.push_back(std::move(entry));
    const std::size_t count = section.entries.size();
    const Entry& added = section.entries.back();
    if (added.name.empty() && added.hasValue)
        section.listEnd = std::min(section.listEnd, count - 1);
    if (count == IndexThreshold) {
        for (std::size_t i = 0; i < count; ++i)
            section.index.emplace(section.entries[i].name, i);
    } else if (count > IndexThreshold) {
        section.index.emplace(section.entries.back().name, count - 1);
    }
}

void TIniFile::Parse(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    Section* section = &AddSection("");
    std::size_t pos = 0;
    while (pos < text.size()) {
        // A line ends at CR or LF, and a run of them ends it once: blank lines vanish.
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        const std::size_t next = text.find_first_not_of("\r\n", end);
        const std::string_view line = Trim(text.substr(pos, end - pos));
        pos = next == std::string_view::npos ? text.size() : next;

        if (!line.empty() && line[0] == '[') {
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos && close > 0) {
                section = &AddSection(CutAtNul(Trim(line.substr(1, close - 1))));
                continue;
            }
        }
        Entry entry;
        std::string_view name = line;
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            name = Trim(line.substr(0, equals));
            entry.value = std::string(CutAtNul(Trim(line.substr(equals + 1))));
            entry.hasValue = true;
        }
        // Blank lines go, and so does a nameless line straight after another.
        if (line.empty() ||
            (name.empty() && !section->entries.empty() && section->entries.back().name.empty()))
            continue;
        entry.name = std::string(CutAtNul(name));
        AddEntry(*section, std::move(entry));
    }
}

const TIniFile::Section* TIniFile::FindSection(std::string_view name) const {
    const auto found = sectionIndex_.find(name);
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

TIniFile::Section* TIniFile::FindSection(std::string_view name) {
    const auto found = sectionIndex_.find(name);
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

std::size_t TIniFile::FindEntry(const Section& section, std::string_view name) {
    if (section.entries.size() >= IndexThreshold) {
        const auto found = section.index.find(name);
        return found == section.index.end() ? section.entries.size() : found->second;
    }
    for (std::size_t i = 0; i < section.entries.size(); ++i)
        if (Caseless{}(section.entries[i].name, name))
            return i;
    return section.entries.size();
}

// The first listed entry of that name; a line without "=" that shares the
// name comes first in lookups but is not listed.
const TIniFile::Entry* TIniFile::FindListed(const Section& section, std::string_view name) {
    for (std::size_t i = FindEntry(section, name); i < section.ListEnd(); ++i) {
        const Entry& entry = section.entries[i];
        if (IsListed(entry.name, entry.hasValue) && Caseless{}(entry.name, name))
            return &entry;
    }
    return nullptr;
}

bool TIniFile::SectionExists(std::string_view section) const {
    const Section* found = FindSection(section);
    if (found == nullptr)
        return false;
    for (std::size_t i = 0; i < found->ListEnd(); ++i)
        if (IsListed(found->entries[i].name, found->entries[i].hasValue))
            return true;
    return false;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    return found != nullptr && FindListed(*found, key) != nullptr;
}

std::vector<std::string> TIniFile::ReadSection(std::string_view section) const {
    std::vector<std::string> names;
    if (const Section* found = FindSection(section))
        for (std::size_t i = 0; i < found->ListEnd(); ++i)
            if (IsListed(found->entries[i].name, found->entries[i].hasValue))
                names.push_back(found->entries[i].name);
    return names;
}

std::vector<std::string> TIniFile::SectionNames() const {
    std::vector<std::string> names;
    for (std::size_t i = 1; i < sections_.size(); ++i) {
        const auto first = sectionIndex_.find(sections_[i].name);
        if (first != sectionIndex_.end() && first->second == i)
            names.push_back(sections_[i].name);
    }
    return names;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view fallback) const {
    // A value lookup trims the names it is given; a key listing does not.
    const Section* found = FindSection(Trim(section));
    if (found != nullptr) {
        const std::size_t i = FindEntry(*found, Trim(key));
        if (i < found->entries.size() && found->entries[i].hasValue)
            return CopyValue(found->entries[i].value, MaxValueLength + 1);
    }
    return CopyValue(fallback, MaxValueLength + 1);
}

std::int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key,
                                   std::int32_t fallback) const {
    const std::string text = ReadString(section, key, "");
    std::string_view digits = text;
    if (!digits.empty() && digits[0] == '+')
        digits.remove_prefix(1);
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() || digits[0] == '+')
        return fallback;
    return number;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string sectionName = OneLine(Trim(section));
    const std::string keyName = OneLine(Trim(key));
    std::string line = OneLine(value);
    std::size_t lead = 0;
    while (lead < line.size() && IsSpace(line[lead]))
        ++lead;
    line.erase(0, lead);

    Section* target = FindSection(sectionName);
    if (target == nullptr)
        target = &AddSection(sectionName);
    const std::size_t i = FindEntry(*target, keyName);
    if (i < target->entries.size()) {
        target->entries[i].value = std::move(line);
        target->entries[i].hasValue = true;
        if (target->entries[i].name.empty())
            target->listEnd = std::min(target->listEnd, i);
        return;
    }
    AddEntry(*target, Entry{keyName, std::move(line), true});
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

bool TIniFile::EraseSection(std::string_view section) {
    const auto found = sectionIndex_.find(section);
    if (found == sectionIndex_.end())
        return false;
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(found->second));
    sectionIndex_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i)
        sectionIndex_.emplace(sections_[i].name, i);
    return true;
}

std::string TIniFile::Text() const {
    std::size_t size = 0;
    for (const Section& section : sections_) {
        size += section.name.size() + 4;
        for (const Entry& entry : section.entries)
            size += entry.name.size() + entry.value.size() + 3;
    }
    std::string text;
    text.reserve(size);
    for (const Section& section : sections_) {
        if (!section.name.empty()) {
            text += '[';
            text += section.name;
            text += "]\r\n";
        }
        for (const Entry& entry : section.entries) {
            text += entry.name;
            if (entry.hasValue) {
                text += '=';
                text += entry.value;
            }
            text += "\r\n";
        }
    }
    return text;
}

std::string RecordKey(std::int32_t number) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.3d", static_cast<int>(number));
    return buffer;
}

} // namespace tsy
