#include "catalogue/IniFile.h"

#include <gtest/gtest.h>

namespace tsy {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

TEST(IniFileRead, MatchesSectionsAndKeysIgnoringCase) {
    const TIniFile ini("[Main]\r\nMaxID=7\r\n");
    EXPECT_EQ(ini.ReadString("main", "maxid", "x"), "7");
    EXPECT_EQ(ini.ReadString("MAIN", "MAXID", "x"), "7");
    EXPECT_TRUE(ini.SectionExists("mAiN"));
    EXPECT_TRUE(ini.ValueExists("main", "maxId"));
    EXPECT_FALSE(ini.ValueExists("main", "max"));
    EXPECT_EQ(ini.ReadString("main", "missing", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadString("other", "maxid", ""), "");
}

TEST(IniFileRead, DropsSpacesAroundNamesAndValues) {
    const TIniFile ini("  [001]  \n  name  =  Big  Site \t\n\tsearch=\x1A"
                       "http://a/?q=%s\x1A\n");
    EXPECT_EQ(ini.ReadString("001", "name", ""), "Big  Site");
    EXPECT_EQ(ini.ReadString("001", "search", ""), "http://a/?q=%s");
}

TEST(IniFileRead, KeepsEverythingAfterTheFirstEqualsSign) {
    const TIniFile ini("[s]\nsearch=http://x/?a=1&b==2\n=orphan\n");
    EXPECT_EQ(ini.ReadString("s", "search", ""), "http://x/?a=1&b==2");
}

TEST(IniFileRead, RemovesOnePairOfMatchingQuotes) {
    const TIniFile ini("[s]\n"
                       "a=\"quoted\"\n"
                       "b='single'\n"
                       "c=\"mixed'\n"
                       "d=\"\"inner\"\"\n"
                       "e=\"\n"
                       "f=''\n"
                       "g=  \"  padded  \"  \n"
                       "h=x\"y\"\n");
    EXPECT_EQ(ini.ReadString("s", "a", ""), "quoted");
    EXPECT_EQ(ini.ReadString("s", "b", ""), "single");
    EXPECT_EQ(ini.ReadString("s", "c", ""), "\"mixed'");
    EXPECT_EQ(ini.ReadString("s", "d", ""), "\"inner\"");
    EXPECT_EQ(ini.ReadString("s", "e", ""), "\"");
    EXPECT_EQ(ini.ReadString("s", "f", ""), "");
    EXPECT_EQ(ini.ReadString("s", "g", ""), "  padded  ");
    EXPECT_EQ(ini.ReadString("s", "h", ""), "x\"y\"");
}

TEST(IniFileRead, ReadsLongValuesWhole) {
    const std::string long_value(5000, 'v');
    const TIniFile ini("[s]\nlong=" + long_value + "\nquoted=\"" + std::string(3000, 'w') + "\"\n");
    EXPECT_EQ(ini.ReadString("s", "long", ""), long_value);
    EXPECT_EQ(ini.ReadString("s", "quoted", ""), std::string(3000, 'w'));
}

TEST(IniFileRead, CountsASectionWithoutEntriesAsMissing) {
    const TIniFile ini("[empty]\n\n[comments]\n;maxid=3\nbare line\n[blank]\n=value\n[full]\nk=\n");
    EXPECT_FALSE(ini.SectionExists("empty"));
    EXPECT_FALSE(ini.SectionExists("comments"));
    EXPECT_FALSE(ini.SectionExists("blank"));
    EXPECT_FALSE(ini.SectionExists("absent"));
    EXPECT_TRUE(ini.SectionExists("full"));
    EXPECT_TRUE(ini.ValueExists("full", "k"));
    EXPECT_EQ(ini.ReadSection("full"), std::vector<std::string>{"k"});
    EXPECT_FALSE(ini.ValueExists("comments", "bare line"));
}

TEST(IniFileRead, AKeyListingEndsAtTheFirstLineWithoutAName) {
    const TIniFile ini("[s]\nk=1\n=v\nj=2\n[t]\n = v\nk=1\n");
    EXPECT_EQ(ini.ReadSection("s"), std::vector<std::string>{"k"});
    EXPECT_FALSE(ini.ValueExists("s", "j"));
    // The value itself is still found.
    EXPECT_EQ(ini.ReadString("s", "j", ""), "2");
    EXPECT_FALSE(ini.SectionExists("t"));
    EXPECT_EQ(ini.ReadString("t", "k", ""), "1");
}

TEST(IniFileRead, TrimsSectionNamesAndDropsANamelessLineAfterAnother) {
    TIniFile ini("[ spaced\t]\n=a\n=b\nk=1\n=c\n");
    EXPECT_EQ(ini.ReadString("spaced", "k", ""), "1");
    EXPECT_EQ(ini.ReadString(" spaced ", "\tk ", ""), "1");
    EXPECT_FALSE(ini.SectionExists(" spaced "));
    EXPECT_EQ(ini.Text(), "[spaced]\r\n=a\r\nk=1\r\n=c\r\n");
}

TEST(IniFileRead, TheFirstOfDuplicateSectionsAndKeysWins) {
    const TIniFile ini("[main]\nmaxid=1\nMAXID=2\n[MAIN]\nmaxid=3\nextra=4\n[dup]\n\n[dup]\nk=v\n");
    EXPECT_EQ(ini.ReadString("main", "maxid", ""), "1");
    // Keys of a later duplicate section are out of reach.
    EXPECT_EQ(ini.ReadString("main", "extra", "none"), "none");
    EXPECT_FALSE(ini.SectionExists("dup"));
}

TEST(IniFileRead, ALineWithoutEqualsHidesALaterKeyOfTheSameName) {
    const TIniFile ini("[categories]\n001\n001=News\n");
    EXPECT_TRUE(ini.ValueExists("categories", "001"));
    EXPECT_EQ(ini.ReadString("categories", "001", "dflt"), "dflt");
}

TEST(IniFileRead, LargeSectionsUseTheirIndexWithTheSameRules) {
    std::string text = "[categories]\n";
    for (int i = 1; i <= 500; ++i)
        text += RecordKey(i) + "=Cat " + std::to_string(i) + "\n";
    text += "007=Shadowed\nBIG=upper\n";
    const TIniFile ini(text);
    EXPECT_EQ(ini.ReadString("categories", "007", ""), "Cat 7");
    EXPECT_EQ(ini.ReadString("categories", "500", ""), "Cat 500");
    EXPECT_EQ(ini.ReadString("categories", "big", ""), "upper");
    EXPECT_FALSE(ini.ValueExists("categories", "501"));
    EXPECT_EQ(ini.ReadSection("categories").size(), 502u);
}

TEST(IniFileRead, EndsLinesAtAnyCrOrLf) {
    EXPECT_EQ(TIniFile("[a]\rk=1\rj=2").ReadString("a", "j", ""), "2");
    EXPECT_EQ(TIniFile("[a]\r\nk=1\r\n\r\n\nj=2").ReadString("a", "j", ""), "2");
    const TIniFile mixed("[a]\nk=1\rj=2\n\r[b]\rl=3\n");
    EXPECT_EQ(mixed.ReadString("a", "k", ""), "1");
    EXPECT_EQ(mixed.ReadString("a", "j", ""), "2");
    EXPECT_EQ(mixed.ReadString("b", "l", ""), "3");
}

TEST(IniFileRead, HandlesHeadersTextBeforeThemAndBytesAfterNul) {
    const TIniFile ini("\xEF\xBB\xBF"
                       "k=top\n[main]junk\nk=1\n[broken\nm=2\n[nul]\nv=ab\0cd\n"
                       "x\0y=3\n"s);
    EXPECT_EQ(ini.ReadString("main", "k", ""), "1");
    // "[broken" is no header, so its line and the next stay in "main".
    EXPECT_EQ(ini.ReadString("main", "m", ""), "2");
    EXPECT_FALSE(ini.SectionExists("broken"));
    EXPECT_EQ(ini.ReadString("nul", "v", ""), "ab");
    EXPECT_EQ(ini.ReadString("nul", "x", ""), "3");
    EXPECT_TRUE(ini.SectionExists("main"));
}

TEST(IniFileRead, ReadsDecimalIntegersAndFallsBackOnAnythingElse) {
    const TIniFile ini("[m]\na=42\nb=-7\nc=+3\nd=12abc\ne=\nf=2147483648\ng=-2147483648\nh=\"15\"\ni=0x10\n"
                       "j=++1\nk=-\n");
    EXPECT_EQ(ini.ReadInteger("m", "a", 0), 42);
    EXPECT_EQ(ini.ReadInteger("m", "b", 0), -7);
    EXPECT_EQ(ini.ReadInteger("m", "c", 0), 3);
    EXPECT_EQ(ini.ReadInteger("m", "d", 0), 0);
    EXPECT_EQ(ini.ReadInteger("m", "e", 9), 9);
    EXPECT_EQ(ini.ReadInteger("m", "f", 0), 0);
    EXPECT_EQ(ini.ReadInteger("m", "g", 0), INT32_MIN);
    EXPECT_EQ(ini.ReadInteger("m", "h", 0), 15);
    EXPECT_EQ(ini.ReadInteger("m", "i", 5), 5);
    EXPECT_EQ(ini.ReadInteger("m", "j", 5), 5);
    EXPECT_EQ(ini.ReadInteger("m", "k", 5), 5);
    EXPECT_EQ(ini.ReadInteger("m", "none", -1), -1);
}

TEST(IniFileWrite, AppendsKeysToTheirSectionAndSectionsToTheEnd) {
    TIniFile ini;
    ini.WriteInteger("main", "collections", 2);
    ini.WriteString("collections", "000", "~News");
    ini.WriteString("MAIN", "categories", "3");
    ini.WriteString("collections", "000", "Shops");
    EXPECT_EQ(ini.Text(), "[main]\r\ncollections=2\r\ncategories=3\r\n[collections]\r\n000=Shops\r\n");
}

TEST(IniFileWrite, ReplacesTheFirstKeyInPlaceAndKeepsItsSpelling) {
    TIniFile ini("; note\r\n[Main]\r\n\r\n  \t\r\nMaxID=1\r\nmaxid=2\r\nlast=3\r\n");
    ini.WriteInteger("main", "maxid", 9);
    ini.WriteString("main", "new", "v");
    // Blank lines do not survive a rewrite.
    EXPECT_EQ(ini.Text(), "; note\r\n[Main]\r\nMaxID=9\r\nmaxid=2\r\nlast=3\r\nnew=v\r\n");
}

TEST(IniFileWrite, DropsLeadingSpacesAndKeepsValuesOnOneLine) {
    TIniFile ini;
    ini.WriteString("001", "name", "  \tTwo\r\nLines\n[002]");
    ini.WriteString("001", "open", "x\0y"sv);
    EXPECT_EQ(ini.Text(), "[001]\r\nname=Two  Lines [002]\r\nopen=x y\r\n");
    const TIniFile back(ini.Text());
    EXPECT_FALSE(back.SectionExists("002"));
    EXPECT_EQ(back.ReadString("001", "name", ""), "Two  Lines [002]");
}

TEST(IniFileWrite, ErasesOnlyTheFirstSectionOfAName) {
    TIniFile ini("[a]\nk=1\n[targets]\nk=2\n[b]\nk=3\n[TARGETS]\nk=4\n");
    EXPECT_TRUE(ini.EraseSection("targets"));
    EXPECT_EQ(ini.ReadString("targets", "k", ""), "4");
    EXPECT_TRUE(ini.EraseSection("targets"));
    EXPECT_FALSE(ini.EraseSection("targets"));
    EXPECT_EQ(ini.Text(), "[a]\r\nk=1\r\n[b]\r\nk=3\r\n");
    ini.WriteString("b", "k", "5");
    EXPECT_EQ(ini.ReadString("b", "k", ""), "5");
}

TEST(IniFileWrite, WrittenTextReadsBackTheSame) {
    TIniFile ini;
    for (int i = 0; i < 40; ++i) {
        ini.WriteString(RecordKey(i), "name", "Site =" + std::to_string(i));
        ini.WriteString("big", RecordKey(i), std::to_string(i * i));
    }
    const TIniFile back(ini.Text());
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(back.ReadString(RecordKey(i), "name", ""), "Site =" + std::to_string(i));
        EXPECT_EQ(back.ReadInteger("big", RecordKey(i), -1), i * i);
    }
    EXPECT_EQ(back.Text(), ini.Text());
}

TEST(IniFileWrite, NamesAndValuesSurviveMovingTheFile) {
    TIniFile short_text("[s]\nk=v");
    short_text.WriteString("t", "j", "w");
    std::vector<TIniFile> files;
    files.push_back(std::move(short_text));
    files.push_back(TIniFile::Adopt("[big]\nkey=" + std::string(100, 'x')));
    files.push_back(TIniFile());
    for (int i = 0; i < 20; ++i)
        files.emplace_back("[n]\nk=" + std::to_string(i));
    EXPECT_EQ(files[0].ReadString("s", "k", ""), "v");
    EXPECT_EQ(files[0].ReadString("t", "j", ""), "w");
    EXPECT_EQ(files[1].ReadString("big", "key", ""), std::string(100, 'x'));
    EXPECT_EQ(files.back().ReadString("n", "k", ""), "19");
    EXPECT_EQ(files[3].ReadString("n", "k", ""), "0");
    EXPECT_EQ(files[0].Text(), "[s]\r\nk=v\r\n[t]\r\nj=w\r\n");
}

TEST(IniFileRecordKey, PadsToAtLeastThreeDigits) {
    EXPECT_EQ(RecordKey(0), "000");
    EXPECT_EQ(RecordKey(42), "042");
    EXPECT_EQ(RecordKey(1000), "1000");
    EXPECT_EQ(RecordKey(-5), "-005");
    EXPECT_EQ(RecordKey(INT32_MAX), "2147483647");
}

} // namespace
} // namespace tsy
