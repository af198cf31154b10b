#include "AnsiCollation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace tsy {

namespace {

// How the system's word sort weighs one Windows-1252 byte with letter case ignored. Texts are
// compared level by level: first the base characters (symbols, then digits, then letters, accents
// left out), then the accents, then the hyphen-like characters that the first two levels skip.
struct TByteWeight {
    enum class Kind : std::uint8_t { Ignored, Hyphen, Plain };
    Kind kind = Kind::Ignored;
    std::uint8_t count = 0; // plain: 1, or 2 for a ligature that sorts as two letters
    std::uint16_t primary[2] = {0, 0};
    std::uint8_t accent = 0; // plain: on the first unit; hyphen: its own order
};

// Accent order within one base letter, as the system has it.
enum TAccent : std::uint8_t {
    None,
    Ordinal, // feminine and masculine ordinal, superscript digits
    Acute,
    Grave,
    Circumflex,
    Diaeresis,
    Tilde,
    Ring,
    Stroke,
    Cedilla,
    Caron,
    Hook,
    Eth,
};

struct TLetterForm {
    unsigned char upper, lower; // equal when the form has no case partner
    char base;
    TAccent accent;
};

constexpr TLetterForm kAccentedLetters[] = {
    {0xAA, 0xAA, 'a', Ordinal},    {0xC1, 0xE1, 'a', Acute},      {0xC0, 0xE0, 'a', Grave},
    {0xC2, 0xE2, 'a', Circumflex}, {0xC4, 0xE4, 'a', Diaeresis},  {0xC3, 0xE3, 'a', Tilde},
    {0xC5, 0xE5, 'a', Ring},       {0xC7, 0xE7, 'c', Cedilla},    {0xD0, 0xF0, 'd', Eth},
    {0xC9, 0xE9, 'e', Acute},      {0xC8, 0xE8, 'e', Grave},      {0xCA, 0xEA, 'e', Circumflex},
    {0xCB, 0xEB, 'e', Diaeresis},  {0x83, 0x83, 'f', Hook},       {0xCD, 0xED, 'i', Acute},
    {0xCC, 0xEC, 'i', Grave},      {0xCE, 0xEE, 'i', Circumflex}, {0xCF, 0xEF, 'i', Diaeresis},
    {0xD1, 0xF1, 'n', Tilde},      {0xBA, 0xBA, 'o', Ordinal},    {0xD3, 0xF3, 'o', Acute},
    {0xD2, 0xF2, 'o', Grave},      {0xD4, 0xF4, 'o', Circumflex}, {0xD6, 0xF6, 'o', Diaeresis},
    {0xD5, 0xF5, 'o', Tilde},      {0xD8, 0xF8, 'o', Stroke},     {0x8A, 0x9A, 's', Caron},
    {0xDA, 0xFA, 'u', Acute},      {0xD9, 0xF9, 'u', Grave},      {0xDB, 0xFB, 'u', Circumflex},
    {0xDC, 0xFC, 'u', Diaeresis},  {0xDD, 0xFD, 'y', Acute},      {0x9F, 0xFF, 'y', Diaeresis},
    {0x8E, 0x9E, 'z', Caron},
};

// Ligatures that the system treats as exactly their two letters.
struct TLigature {
    unsigned char upper, lower;
    char first, second;
};
constexpr TLigature kLigatures[] = {
    {0xC6, 0xE6, 'a', 'e'}, {0x8C, 0x9C, 'o', 'e'}, {0xDF, 0xDF, 's', 's'}, {0xDE, 0xFE, 't', 'h'}};

// Symbols in ascending order; a pair in one string weighs the same (circumflex accent and
// modifier circumflex).
constexpr const char* kSymbolOrder[] = {
    " ",     "\xA0", "\t",   "\n",   "\v",   "\f",   "\r",   "!",    "\"",   "#",    "$",    "%",    "&",
    "(",     ")",    "*",    ",",    ".",    "/",    ":",    ";",    "?",    "@",    "[",    "\\",   "]",
    "^\x88", "_",    "`",    "{",    "|",    "}",    "~",    "\xA1", "\xA6", "\xA8", "\xAF", "\xB4", "\xB8",
    "\xBF",  "\x98", "\x91", "\x92", "\x82", "\x93", "\x94", "\x84", "\x8B", "\x9B", "\xA2", "\xA3", "\xA4",
    "\xA5",  "\x80", "+",    "<",    "=",    ">",    "\xB1", "\xAB", "\xBB", "\xD7", "\xF7", "\xA7", "\xA9",
    "\xAC",  "\xAE", "\xB0", "\xB5", "\xB6", "\xB7", "\x85", "\x86", "\x87", "\x95", "\x89",
};

// The five bytes that Windows-1252 leaves undefined stand for control characters of their own
// value: one weight above every symbol, told apart by the accent level in this order.
constexpr unsigned char kUndefinedBytes[] = {0x81, 0x8D, 0x8F, 0x90, 0x9D};

// Digits with the vulgar fractions between zero and one; superscripts are accented digits.
constexpr const char* kDigitOrder[] = {"0", "\xBC", "\xBD", "\xBE", "1", "2", "3",
                                       "4", "5",    "6",    "7",    "8", "9"};
constexpr unsigned char kSuperscripts[][2] = {{0xB9, '1'}, {0xB2, '2'}, {0xB3, '3'}};

// Control characters, apostrophe, hyphen and dashes: ordered among themselves, skipped by the
// first two levels.
constexpr unsigned char kHyphenOrder[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x0E, 0x0F, 0x10,
                                          0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B,
                                          0x1C, 0x1D, 0x1E, 0x1F, 0x7F, 0x27, 0x2D, 0x96, 0x97};

using TWeightTable = std::array<TByteWeight, 256>;

TByteWeight Plain(std::uint16_t primary, std::uint8_t accent = None) {
    TByteWeight weight;
    weight.kind = TByteWeight::Kind::Plain;
    weight.count = 1;
    weight.primary[0] = primary;
    weight.accent = accent;
    return weight;
}

TWeightTable BuildWeights() {
    TWeightTable table{};
    std::uint16_t next = 1;
    for (const char* symbols : kSymbolOrder) {
        for (const char* c = symbols; *c != '\0'; ++c) {
            table[static_cast<unsigned char>(*c)] = Plain(next);
        }
        ++next;
    }
    std::uint8_t order = 1;
    for (const unsigned char c : kUndefinedBytes) {
        table[c] = Plain(next, order++);
    }
    ++next;
    std::array<std::uint16_t, 256> primaryOf{};
    for (const char* digit : kDigitOrder) {
        primaryOf[static_cast<unsigned char>(digit[0])] = next;
        table[static_cast<unsigned char>(digit[0])] = Plain(next++);
    }
    for (const auto& superscript : kSuperscripts) {
        table[superscript[0]] = Plain(primaryOf[superscript[1]], Ordinal);
    }
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        primaryOf[static_cast<unsigned char>(letter)] = next;
        table[static_cast<unsigned char>(letter)] = Plain(next);
        table[static_cast<unsigned char>(letter - 32)] = Plain(next++);
        if (letter == 't') {
            // The trade mark sign is a letter of its own after every word in t.
            table[0x99] = Plain(next++);
        }
    }
    for (const TLetterForm& form : kAccentedLetters) {
        const std::uint16_t base = primaryOf[static_cast<unsigned char>(form.base)];
        table[form.upper] = Plain(base, form.accent);
        table[form.lower] = Plain(base, form.accent);
    }
    for (const TLigature& ligature : kLigatures) {
        TByteWeight weight = Plain(primaryOf[static_cast<unsigned char>(ligature.first)]);
        weight.count = 2;
        weight.primary[1] = primaryOf[static_cast<unsigned char>(ligature.second)];
        table[ligature.upper] = weight;
        table[ligature.lower] = weight;
    }
    std::uint8_t hyphen = 1;
    for (const unsigned char c : kHyphenOrder) {
        table[c].kind = TByteWeight::Kind::Hyphen;
        table[c].accent = hyphen++;
    }
    // NUL and the soft hyphen weigh nothing at all.
    return table;
}

struct THyphen {
    std::size_t position;
    std::uint8_t weight;
};

struct TSortKey {
    std::vector<std::uint16_t> primaries;
    std::vector<std::uint8_t> accents;
    std::vector<std::uint8_t> cases; // 1 for an upper-case letter, one per primary
    std::vector<THyphen> hyphens;
};

TSortKey SortKeyOf(std::string_view text, const TWeightTable& table) {
    TSortKey key;
    // A hyphen's place counts the characters before it that weigh anything.
    std::size_t position = 0;
    for (const char c : text) {
        const TByteWeight& weight = table[static_cast<unsigned char>(c)];
        if (weight.kind == TByteWeight::Kind::Ignored) {
            continue;
        }
        const std::size_t here = position++;
        if (weight.kind == TByteWeight::Kind::Hyphen) {
            key.hyphens.push_back({here, weight.accent});
        } else {
            const auto byte = static_cast<unsigned char>(c);
            const std::uint8_t upper = FoldAnsiCase(byte) != byte ? 1 : 0;
            for (std::uint8_t unit = 0; unit < weight.count; ++unit) {
                key.primaries.push_back(weight.primary[unit]);
                key.accents.push_back(unit == 0 ? weight.accent : std::uint8_t(None));
                key.cases.push_back(upper);
            }
        }
    }
    return key;
}

template <class T> int CompareSequences(const std::vector<T>& a, const std::vector<T>& b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (a[i] != b[i]) {
            return a[i] < b[i] ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// A hyphen nearer the start weighs more; at the same place the hyphen order decides.
int CompareHyphens(const std::vector<THyphen>& a, const std::vector<THyphen>& b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (a[i].position != b[i].position) {
            return a[i].position < b[i].position ? 1 : -1;
        }
        if (a[i].weight != b[i].weight) {
            return a[i].weight < b[i].weight ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareKeys(std::string_view a, std::string_view b, bool caseCounts) {
    static const TWeightTable table = BuildWeights();
    const TSortKey x = SortKeyOf(a, table);
    const TSortKey y = SortKeyOf(b, table);
    if (const int primary = CompareSequences(x.primaries, y.primaries); primary != 0) {
        return primary;
    }
    if (const int accents = CompareSequences(x.accents, y.accents); accents != 0) {
        return accents;
    }
    if (caseCounts) {
        if (const int cases = CompareSequences(x.cases, y.cases); cases != 0) {
            return cases;
        }
    }
    return CompareHyphens(x.hyphens, y.hyphens);
}

} // namespace

unsigned char FoldAnsiCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') {
        return static_cast<unsigned char>(c + 32);
    }
    // A-grave to thorn, leaving out the multiplication sign.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return static_cast<unsigned char>(c + 32);
    }
    switch (c) {
    case 0x8A: // S caron
    case 0x8C: // OE ligature
    case 0x8E: // Z caron
        return static_cast<unsigned char>(c + 16);
    case 0x9F: // Y diaeresis
        return 0xFF;
    default:
        return c;
    }
}

int TAnsiCollation::CompareIgnoreCase(std::string_view a, std::string_view b) const {
    return CompareKeys(a, b, false);
}

int TAnsiCollation::Compare(std::string_view a, std::string_view b) const {
    return CompareKeys(a, b, true);
}

} // namespace tsy
