#include "catalogue/IniFile.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "support/Text.h"

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

// One pair of matching quotes around a value goes, as the profile functions drop it.
std::string Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

constexpr std::size_t IndexThreshold = 8;

} // namespace

std::size_t TIniFile::Caseless::operator()(std::string_view text) const noexcept {
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : text) {
        hash ^= static_cast<unsigned char>(AsciiLower(c));
        hash *= 1099511628211ull;
    }
    // The table masks the low bits, which the multiplications alone leave poorly mixed.
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdull;
    hash ^= hash >> 33;
    return static_cast<std::size_t>(hash);
}

bool TIniFile::Caseless::operator()(std::string_view a, std::string_view b) const noexcept {
    return EqualIgnoreAsciiCase(a, b);
}

std::uint32_t TIniFile::Index::Find(std::string_view name) const {
    if (slots_.empty())
        return None;
    const std::size_t hash = Caseless{}(name);
    const auto tag = static_cast<std::uint32_t>(hash);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.value == None)
            return None;
        if (slot.hash == tag && Caseless{}(slot.name, name))
            return slot.value;
    }
}

void TIniFile::Index::Emplace(std::string_view name, std::uint32_t value) {
    if ((used_ + 1) * 2 > slots_.size())
        Grow();
    const std::size_t hash = Caseless{}(name);
    const auto tag = static_cast<std::uint32_t>(hash);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.value == None) {
            slot = Slot{name, tag, value};
            ++used_;
            return;
        }
        if (slot.hash == tag && Caseless{}(slot.name, name))
            return;
    }
}

void TIniFile::Index::Reserve(std::size_t count) {
    std::size_t size = 16;
    while (size < count * 2)
        size *= 2;
    if (size > slots_.size())
        Rehash(size);
}

void TIniFile::Index::Grow() {
    Rehash(std::max<std::size_t>(16, slots_.size() * 2));
}

void TIniFile::Index::Rehash(std::size_t size) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(size, Slot{});
    used_ = 0;
    for (const Slot& slot : old)
        if (slot.value != None)
            Emplace(slot.name, slot.value);
}

void TIniFile::Index::Clear() {
    slots_.clear();
    used_ = 0;
}

std::vector<std::uint32_t> TIniFile::Index::Values() const {
    std::vector<std::uint32_t> values;
    values.reserve(used_);
    for (const Slot& slot : slots_)
        if (slot.value != None)
            values.push_back(slot.value);
    return values;
}

TIniFile::TIniFile() {
    AddSection("");
}

TIniFile::TIniFile(std::string_view text) {
    Parse(Keep(std::string(text)));
}

TIniFile TIniFile::Adopt(std::string text) {
    TIniFile ini;
    ini.sections_.clear();
    ini.sectionIndex_.Clear();
    ini.Parse(ini.Keep(std::move(text)));
    return ini;
}

std::string_view TIniFile::Keep(std::string text) {
    storage_.push_back(std::move(text));
    return storage_.back();
}

TIniFile::Section& TIniFile::AddSection(std::string_view name) {
    Section& section = sections_.emplace_back();
    section.name = name;
    sectionIndex_.Emplace(name, static_cast<std::uint32_t>(sections_.size() - 1));
    lastSection_ = None;
    return section;
}

void TIniFile::AddEntry(Section& section, std::string_view name, std::string_view value, bool hasValue) {
    const auto index = static_cast<std::uint32_t>(entries_.size());
    entries_.push_back(Entry{name, value, None, section.count, hasValue});
    if (section.last == None)
        section.first = index;
    else
        entries_[section.last].next = index;
    section.last = index;
    if (name.empty() && hasValue)
        section.listEnd = std::min(section.listEnd, section.count);
    ++section.count;
    if (section.count == IndexThreshold) {
        section.index = std::make_unique<Index>();
        for (std::uint32_t i = section.first; i != None; i = entries_[i].next)
            section.index->Emplace(entries_[i].name, i);
    } else if (section.index) {
        section.index->Emplace(name, index);
    }
}

void TIniFile::Parse(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    // Most lines are short "key=value" ones; a rough count saves regrowing.
    entries_.reserve(text.size() / 24);
    sections_.reserve(text.size() / 128 + 1);
    sectionIndex_.Reserve(text.size() / 128 + 1);
    Section* section = &AddSection("");
    std::size_t pos = 0;
    while (pos < text.size()) {
        // A line ends at CR or LF, and a run of them ends it once: blank lines vanish.
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        const std::size_t next = text.find_first_not_of("\r\n", end);
        const std::string_view line = TrimText(text.substr(pos, end - pos), IsSpace);
        pos = next == std::string_view::npos ? text.size() : next;

        if (!line.empty() && line[0] == '[') {
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos && close > 0) {
                section = &AddSection(CutAtNul(TrimText(line.substr(1, close - 1), IsSpace)));
                continue;
            }
        }
        std::string_view name = line;
        std::string_view value;
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            name = TrimText(line.substr(0, equals), IsSpace);
            value = CutAtNul(TrimText(line.substr(equals + 1), IsSpace));
        }
        // Blank lines go, and so does a nameless line straight after another.
        if (line.empty() || (name.empty() && section->last != None && entries_[section->last].name.empty()))
            continue;
        AddEntry(*section, CutAtNul(name), value, equals != std::string_view::npos);
    }
}

const TIniFile::Section* TIniFile::FindSection(std::string_view name) const {
    if (lastSection_ == None || !Caseless{}(lastName_, name)) {
        lastSection_ = sectionIndex_.Find(name);
        lastName_ = lastSection_ == None ? std::string_view() : sections_[lastSection_].name;
        if (lastSection_ == None)
            return nullptr;
    }
    return &sections_[lastSection_];
}

std::uint32_t TIniFile::FindEntry(const Section& section, std::string_view name) const {
    if (section.index)
        return section.index->Find(name);
    for (std::uint32_t i = section.first; i != None; i = entries_[i].next)
        if (Caseless{}(entries_[i].name, name))
            return i;
    return None;
}

// The first listed entry of that name; a line without "=" that shares the
// name comes first in lookups but is not listed.
const TIniFile::Entry* TIniFile::FindListed(const Section& section, std::string_view name) const {
    for (std::uint32_t i = FindEntry(section, name); i != None && entries_[i].position < section.listEnd;
         i = entries_[i].next) {
        const Entry& entry = entries_[i];
        if (IsListed(entry.name, entry.hasValue) && Caseless{}(entry.name, name))
            return &entry;
    }
    return nullptr;
}

bool TIniFile::SectionExists(std::string_view section) const {
    const Section* found = FindSection(section);
    if (found == nullptr)
        return false;
    for (std::uint32_t i = found->first; i != None && entries_[i].position < found->listEnd;
         i = entries_[i].next)
        if (IsListed(entries_[i].name, entries_[i].hasValue))
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
        for (std::uint32_t i = found->first; i != None && entries_[i].position < found->listEnd;
             i = entries_[i].next)
            if (IsListed(entries_[i].name, entries_[i].hasValue))
                names.emplace_back(entries_[i].name);
    return names;
}

std::vector<std::string_view> TIniFile::SectionNames() const {
    std::vector<std::uint32_t> firsts = sectionIndex_.Values();
    std::sort(firsts.begin(), firsts.end());
    std::vector<std::string_view> names;
    names.reserve(firsts.size());
    for (std::uint32_t i : firsts)
        if (i != 0)
            names.push_back(sections_[i].name);
    return names;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view fallback) const {
    // A value lookup trims the names it is given; a key listing does not.
    if (const Section* found = FindSection(TrimText(section, IsSpace))) {
        const std::uint32_t i = FindEntry(*found, TrimText(key, IsSpace));
        if (i != None && entries_[i].hasValue)
            return Unquoted(entries_[i].value);
    }
    return Unquoted(fallback);
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
    std::string line = WrittenValue(value);

    const std::string sectionName = OneLine(TrimText(section, IsSpace));
    const std::string keyName = OneLine(TrimText(key, IsSpace));
    const std::uint32_t found = sectionIndex_.Find(sectionName);
    Section& target = found != None ? sections_[found] : AddSection(Keep(sectionName));
    const std::uint32_t i = FindEntry(target, keyName);
    if (i != None) {
        Entry& entry = entries_[i];
        entry.value = Keep(std::move(line));
        entry.hasValue = true;
        if (entry.name.empty())
            target.listEnd = std::min(target.listEnd, entry.position);
        return;
    }
    AddEntry(target, Keep(keyName), Keep(std::move(line)), true);
}

std::string TIniFile::WrittenValue(std::string_view value) {
    std::string line = OneLine(value);
    std::size_t lead = 0;
    while (lead < line.size() && IsSpace(line[lead]))
        ++lead;
    line.erase(0, lead);
    return line;
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::RebuildSectionIndex() {
    lastSection_ = None;
    sectionIndex_.Clear();
    for (std::size_t i = 0; i < sections_.size(); ++i)
        sectionIndex_.Emplace(sections_[i].name, static_cast<std::uint32_t>(i));
}

bool TIniFile::EraseSection(std::string_view section) {
    const std::uint32_t found = sectionIndex_.Find(section);
    if (found == None || found == 0)
        return false;
    sections_.erase(sections_.begin() + found);
    RebuildSectionIndex();
    return true;
}

std::string TIniFile::Text() const {
    std::size_t size = 0;
    for (const Section& section : sections_)
        size += section.name.size() + 4;
    for (const Entry& entry : entries_)
        size += entry.name.size() + entry.value.size() + 3;
    std::string text;
    text.reserve(size);
    for (const Section& section : sections_) {
        if (!section.name.empty()) {
            text += '[';
            text += section.name;
            text += "]\r\n";
        }
        for (std::uint32_t i = section.first; i != None; i = entries_[i].next) {
            text += entries_[i].name;
            if (entries_[i].hasValue) {
                text += '=';
                text += entries_[i].value;
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
