#include "AnsiCollation.h"

#include <gtest/gtest.h>

#include <string>

namespace tsy {
namespace {

class AnsiCollationTest : public ::testing::Test {
protected:
    static int Sign(int value) { return (value > 0) - (value < 0); }
    int Compare(std::string_view a, std::string_view b) const {
        const int result = collation.CompareIgnoreCase(a, b);
        // Every answer must be antisymmetric, or lookups would depend on argument order.
        const int reverse = collation.CompareIgnoreCase(b, a);
        EXPECT_EQ((result > 0) - (result < 0), -((reverse > 0) - (reverse < 0))) << a << " / " << b;
        return (result > 0) - (result < 0);
    }
    TAnsiCollation collation;
};

TEST_F(AnsiCollationTest, AsciiAndLatinLettersMatchIgnoringCase) {
    EXPECT_EQ(Compare("News", "NEWS"), 0);
    EXPECT_EQ(Compare("(general)", "(GENERAL)"), 0);
    EXPECT_EQ(Compare("caf\xE9", "CAF\xC9"), 0);
    for (int upper = 0xC0; upper <= 0xDE; ++upper) {
        if (upper == 0xD7) {
            continue;
        }
        EXPECT_EQ(Compare(std::string(1, char(upper)), std::string(1, char(upper + 32))), 0) << upper;
    }
    EXPECT_EQ(Compare("\x8A", "\x9A"), 0); // S caron
    EXPECT_EQ(Compare("\x8C", "\x9C"), 0); // OE ligature
    EXPECT_EQ(Compare("\x8E", "\x9E"), 0); // Z caron
    EXPECT_EQ(Compare("\x9F", "\xFF"), 0); // Y diaeresis
}

TEST_F(AnsiCollationTest, MultiplicationAndDivisionSignsAreNotACasePair) {
    EXPECT_NE(Compare("\xD7", "\xF7"), 0);
    EXPECT_NE(Compare("a\xD7", "a\xF7"), 0);
}

TEST_F(AnsiCollationTest, AccentsAreNotIgnoredButDecideLast) {
    EXPECT_NE(Compare("cafe", "caf\xE9"), 0);
    EXPECT_EQ(Compare("cafe", "caf\xE9"), -1);
    // The base letters decide before any accent does.
    EXPECT_EQ(Compare("\xE9"
                      "a",
                      "eb"),
              -1);
    EXPECT_EQ(Compare("r\xE9sum\xE9", "resumf"), -1);
    EXPECT_EQ(Compare("\xE9", "\xE8"), -1);
    EXPECT_EQ(Compare("\xE4", "b"), -1);
    EXPECT_EQ(Compare("z", "\xE4"), 1);
}

TEST_F(AnsiCollationTest, LigaturesEqualTheirTwoLetters) {
    EXPECT_EQ(Compare("stra\xDF"
                      "e",
                      "STRASSE"),
              0);
    EXPECT_EQ(Compare("\xC6on", "aeon"), 0);
    EXPECT_EQ(Compare("\x8Cuvre", "oeuvre"), 0);
    EXPECT_EQ(Compare("\xDEorn", "thorn"), 0);
    EXPECT_NE(Compare("\x99", "tm"), 0);
}

TEST_F(AnsiCollationTest, SymbolsSortBeforeDigitsBeforeLetters) {
    EXPECT_EQ(Compare("!", "0"), -1);
    EXPECT_EQ(Compare("~", "0"), -1);
    EXPECT_EQ(Compare("_", "a"), -1);
    EXPECT_EQ(Compare("9", "a"), -1);
    EXPECT_EQ(Compare("a b", "ab"), -1);
    EXPECT_EQ(Compare("~News", "News"), -1);
    EXPECT_EQ(Compare("10", "9"), -1);
}

TEST_F(AnsiCollationTest, HyphensAndApostrophesWeighLeast) {
    EXPECT_EQ(Compare("a-b", "ab"), 1);
    EXPECT_EQ(Compare("a-c", "ab"), 1);
    EXPECT_EQ(Compare("co-op", "coop"), 1);
    EXPECT_EQ(Compare("a'b", "a-b"), -1);
    EXPECT_EQ(Compare("-ab", "a-b"), 1);
    EXPECT_EQ(Compare("ab-", "a-b"), -1);
    EXPECT_NE(Compare("a-b", "a\x96"
                             "b"),
              0);
}

TEST_F(AnsiCollationTest, SoftHyphenIsIgnored) {
    EXPECT_EQ(Compare("a\xAD"
                      "b",
                      "ab"),
              0);
    EXPECT_EQ(Compare("\xAD", ""), 0);
}

TEST_F(AnsiCollationTest, EveryOtherByteWeighsSomething) {
    for (int c = 1; c < 256; ++c) {
        if (c != 0xAD) {
            EXPECT_EQ(Compare(std::string(1, char(c)), ""), 1) << c;
        }
    }
    EXPECT_EQ(Compare("", ""), 0);
    EXPECT_EQ(Compare("a", "ab"), -1);
}

TEST_F(AnsiCollationTest, CaseSensitiveOrderPutsLowerCaseFirstAfterLettersAndAccents) {
    auto compare = [this](std::string_view a, std::string_view b) {
        const int result = Sign(collation.Compare(a, b));
        EXPECT_EQ(result, -Sign(collation.Compare(b, a))) << a << " / " << b;
        return result;
    };
    EXPECT_EQ(compare("a", "b"), -1);
    EXPECT_EQ(compare("b", "B"), -1);
    EXPECT_EQ(compare("B", "c"), -1);
    EXPECT_EQ(compare("News", "News"), 0);
    EXPECT_EQ(compare("aB", "Ab"), -1);
    // Accents decide before case, case before hyphens.
    EXPECT_EQ(compare("E", "\xE9"), -1);
    EXPECT_EQ(compare("a-b", "Ab"), -1);
    EXPECT_EQ(compare("\xC4", "\xE4"), 1);
    EXPECT_EQ(compare("\xC6", "ae"), 1);
    EXPECT_EQ(compare("\xDF", "ss"), 0);
}

TEST(FoldAnsiCase, MapsUpperCaseLettersToTheirLowerCasePartners) {
    EXPECT_EQ(FoldAnsiCase('A'), 'a');
    EXPECT_EQ(FoldAnsiCase('Z'), 'z');
    EXPECT_EQ(FoldAnsiCase('a'), 'a');
    EXPECT_EQ(FoldAnsiCase('@'), '@');
    EXPECT_EQ(FoldAnsiCase('['), '[');
    EXPECT_EQ(FoldAnsiCase(0xC0), 0xE0);
    EXPECT_EQ(FoldAnsiCase(0xDE), 0xFE);
    EXPECT_EQ(FoldAnsiCase(0xD7), 0xD7);
    EXPECT_EQ(FoldAnsiCase(0xDF), 0xDF);
    EXPECT_EQ(FoldAnsiCase(0x8A), 0x9A);
    EXPECT_EQ(FoldAnsiCase(0x8C), 0x9C);
    EXPECT_EQ(FoldAnsiCase(0x8E), 0x9E);
    EXPECT_EQ(FoldAnsiCase(0x9F), 0xFF);
    EXPECT_EQ(FoldAnsiCase(0x8B), 0x8B);
    EXPECT_EQ(FoldAnsiCase(0xF7), 0xF7);
}

} // namespace
} // namespace tsy
