#include "AnsiCollation.h"
#include "support/AnsiCodePage.h"
#include "support/win32/SystemCodePage.h"
#include "support/win32/SystemCollation.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tsy {
namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// Windows-1252 texts. Hex escapes are closed off by string splicing where a hex digit follows.
// clang-format off
const std::vector<std::string> kCorpus = {
    "",
    // ASCII letters and case
    "a", "A", "b", "B", "z", "Z", "ab", "AB", "abc", "ABC", "Abd", "abcd", "news", "News", "NEWS", "Web",
    // Latin-1 letters and case
    "e", "E", "\xE9", "\xC9", "caf\xE9", "CAF\xC9", "cafe", "CAFE", "cafes", "caf\xE9s", "\xE4", "\xC4",
    "a\xE4", "A\xC4", "\xFF", "\x9F", "\x8A", "\x9A", "\x8C" "uvre", "\x9C" "UVRE", "\x8E", "\x9E", "\xDE",
    "\xFE", "\xC0", "\xE0", "\xF8", "\xD8",
    // punctuation, hyphens and the soft hyphen
    "-", "_", ".", "!", "(", "~", "a-b", "a_b", "a b", "a.b", "a'b", "(general)", "(GENERAL)", "[x]",
    "~News", "a!", "a~", "a-c", "-ab", "ab-", "a--b", "a'c", "a\x96" "b", "a\xAD" "b", "a\x01" "b",
    // ligatures, ordinals, superscripts, fractions and the trade mark sign
    "\xDF", "ss", "SS", "stra\xDF" "e", "strasse", "\xE6", "\xC6", "ae", "AE", "\x9C", "oe", "\xFE", "th",
    "\x99", "tm", "\xAA", "\xBA", "\xB2", "\xBD",
    // digits
    "0", "1", "9", "10", "2", "a1", "a2", "A1", "1a",
};
// clang-format on

// What both collations answer for every pair of the corpus.
struct TDisagreement {
    std::string a, b;
    int system, standIn;
};

// Either comparison of a collation, so every check runs with letter case ignored and counted.
int CompareBy(const ICollation& collation, bool caseCounts, std::string_view a, std::string_view b) {
    return Sign(caseCounts ? collation.Compare(a, b) : collation.CompareIgnoreCase(a, b));
}

std::vector<TDisagreement> Disagreements(bool equalityOnly, bool caseCounts = false) {
    const TAnsiCollation standIn;
    const win32::TSystemCollation system;
    std::vector<TDisagreement> found;
    for (const std::string& a : kCorpus) {
        for (const std::string& b : kCorpus) {
            const int bySystem = CompareBy(system, caseCounts, a, b);
            const int byStandIn = CompareBy(standIn, caseCounts, a, b);
            const bool differs = equalityOnly ? (bySystem == 0) != (byStandIn == 0) : bySystem != byStandIn;
            if (differs) {
                found.push_back({a, b, bySystem, byStandIn});
            }
        }
    }
    return found;
}

std::string Describe(const std::vector<TDisagreement>& found) {
    std::string text;
    for (const TDisagreement& d : found) {
        text += "\"" + d.a + "\" vs \"" + d.b + "\": system " + std::to_string(d.system) + ", stand-in " +
                std::to_string(d.standIn) + "\n";
    }
    return text;
}

// The keyword rules' letters and digits: the stand-in's for Windows-1252 are the system's.
TEST(Collation, StandInCountsTheSystemsLettersAndDigits) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the stand-in is Windows-1252";
    const TAnsiCodePage standIn;
    const win32::TSystemCodePage system;
    std::string differing;
    for (int byte = 1; byte < 256; ++byte) {
        const std::u16string wide = system.ToWide(std::string(1, char(byte)));
        ASSERT_EQ(wide.size(), 1u);
        if (standIn.IsLetterOrDigit(wide[0]) != system.IsLetterOrDigit(wide[0]))
            differing += std::to_string(byte) + (system.IsLetterOrDigit(wide[0]) ? "+ " : "- ");
    }
    EXPECT_EQ(differing, "") << "bytes the system counts (+) or not (-) unlike the stand-in";
    EXPECT_FALSE(system.IsLetterOrDigit(u'\u03C9')) << "a letter the code page lacks";
}

TEST(Collation, SystemCollationTakesEmptyAndUnterminatedViews) {
    const win32::TSystemCollation system;
    EXPECT_EQ(system.CompareIgnoreCase(std::string_view(), ""), 0);
    EXPECT_LT(system.CompareIgnoreCase(std::string_view(), "a"), 0);
    // Only the viewed bytes count, not what follows them in memory.
    const std::string_view news = std::string_view("NewsPaper").substr(0, 4);
    EXPECT_EQ(system.CompareIgnoreCase(news, "NEWS"), 0);
    EXPECT_GT(system.CompareIgnoreCase("b", "A"), 0);
}

std::string SingleByteMismatches(bool caseCounts) {
    const TAnsiCollation standIn;
    const win32::TSystemCollation system;
    std::string mismatches;
    for (int x = 1; x < 256; ++x) {
        for (int y = 1; y < 256; ++y) {
            const std::string a(1, static_cast<char>(x));
            const std::string b(1, static_cast<char>(y));
            if (CompareBy(system, caseCounts, a, b) != CompareBy(standIn, caseCounts, a, b)) {
                mismatches += std::to_string(x) + " vs " + std::to_string(y) + "\n";
            }
        }
    }
    return mismatches;
}

TEST(Collation, StandInOrdersEverySingleByteAsTheSystemDoes) {
    EXPECT_EQ(SingleByteMismatches(false), "");
    EXPECT_EQ(SingleByteMismatches(true), "");
}

TEST(Collation, StandInMatchesTheSystemOnEquality) {
    const std::vector<TDisagreement> found = Disagreements(true);
    EXPECT_TRUE(found.empty()) << Describe(found);
}

TEST(Collation, StandInMatchesTheSystemOnOrder) {
    const std::vector<TDisagreement> found = Disagreements(false);
    EXPECT_TRUE(found.empty()) << Describe(found);
}

TEST(Collation, StandInMatchesTheSystemOnCaseSensitiveOrder) {
    const std::vector<TDisagreement> found = Disagreements(false, true);
    EXPECT_TRUE(found.empty()) << Describe(found);
}

// Random short texts: over every byte, and over a few bytes that sort together so that the later
// levels of the comparison (accents, ligatures, hyphens) decide.
std::string RandomMismatches(const std::string& alphabet, int pairs, bool caseCounts = false) {
    std::mt19937 random(20261209);
    std::uniform_int_distribution<std::size_t> length(0, 6);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    auto text = [&] {
        std::string result;
        for (std::size_t n = length(random); n > 0; --n) {
            result += alphabet[pick(random)];
        }
        return result;
    };
    const TAnsiCollation standIn;
    const win32::TSystemCollation system;
    std::string mismatches;
    for (int i = 0, found = 0; i < pairs && found < 20; ++i) {
        const std::string a = text();
        const std::string b = text();
        const int bySystem = CompareBy(system, caseCounts, a, b);
        if (bySystem != CompareBy(standIn, caseCounts, a, b)) {
            mismatches += "\"" + a + "\" vs \"" + b + "\": system " + std::to_string(bySystem) + "\n";
            ++found;
        }
    }
    return mismatches;
}

TEST(Collation, StandInAgreesWithTheSystemOnRandomTexts) {
    std::string everyByte;
    for (int c = 1; c < 256; ++c) {
        everyByte += static_cast<char>(c);
    }
    EXPECT_EQ(RandomMismatches(everyByte, 50000), "");
    EXPECT_EQ(RandomMismatches("aAbeEsStT-' .\xE9\xC9\xE8\xDF\xE6\xC6\x96\x01\xAD\xAA\x99\x81\x9D", 50000),
              "");
}

TEST(Collation, StandInAgreesWithTheSystemOnRandomTextsWithCase) {
    EXPECT_EQ(RandomMismatches("aAbBeE\xE9\xC9sS\xDF\xE6\xC6\x9A\x8A\xFF\x9F-' ", 50000, true), "");
}

} // namespace
} // namespace tsy
