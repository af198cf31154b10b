// The in-memory INI reader and writer against the platform's private-profile
// functions, on the same bytes.
#include "AnsiCollation.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/IniFile.h"
#include "support/win32/Win32FileSystem.h"

#include "CatalogueSamples.h"
#include "ProfileCatalogueReader.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>

namespace tsy::win32 {
namespace {

using namespace std::string_literals;

class IniDifferential : public ::testing::Test {
protected:
    TWin32FileSystem fileSystem;
    std::string folder;
    int counter = 0;

    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "tsy-ini-" + std::to_string(GetCurrentProcessId()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
        fileSystem.CreateDirectories(folder);
    }
    void TearDown() override {
        for (int i = 1; i <= counter; ++i)
            DeleteFileA((folder + "case" + std::to_string(i) + ".ini").c_str());
        RemoveDirectoryA(folder.c_str());
    }

    // A fresh name for every file: the platform caches the last file it read.
    std::string Put(const std::string& bytes) {
        const std::string path = folder + "case" + std::to_string(++counter) + ".ini";
        fileSystem.WriteFileAtomic(path, bytes);
        return path;
    }

    // Every lookup the catalogue makes, and the names the text itself uses, read both ways.
    // Only the given sections and keys when `thorough` is false: each platform call is slow.
    void ExpectSameReading(const std::string& bytes, std::vector<std::string> sections = {},
                           std::vector<std::string> keys = {}, bool thorough = true) {
        const std::string path = Put(bytes);
        const TIniFile ini(bytes);
        if (thorough) {
            for (const char* s :
                 {"main", "MAIN", "collections", "targets", "categories", "000", "001", "002", "s"})
                sections.emplace_back(s);
            for (std::string_view s : ini.SectionNames())
                sections.emplace_back(s);
            for (const char* k : {"maxid", "MaxID", "collections", "categories", "name", "search", "open",
                                  "catid", "000", "001", "002", "k", "K"})
                keys.emplace_back(k);
        }
        for (const std::string& section : sections) {
            const std::vector<std::string> listed = ProfileKeys(path, section.c_str());
            EXPECT_EQ(ini.ReadSection(section), listed) << "section [" << section << "] of\n" << bytes;
            EXPECT_EQ(ini.SectionExists(section), !listed.empty()) << "section [" << section << "] of\n"
                                                                   << bytes;
            std::set<std::string> asked(keys.begin(), keys.end());
            asked.insert(listed.begin(), listed.end());
            for (const std::string& key : asked) {
                EXPECT_EQ(ini.ReadString(section, key, "<none>"),
                          ProfileString(path, section.c_str(), key.c_str(), "<none>"))
                    << "[" << section << "] " << key << " of\n"
                    << bytes;
                EXPECT_EQ(ini.ReadString(section, key, ""),
                          ProfileString(path, section.c_str(), key.c_str(), ""))
                    << "[" << section << "] " << key;
            }
        }
    }
};

TEST_F(IniDifferential, QuotesEqualsSignsAndSpaces) {
    ExpectSameReading("[s]\r\na=\"quoted\"\r\nb='single'\r\nc=\"mixed'\r\nd=\"\"\r\ne=\"\r\nf='''\r\n"
                      "g=  \" padded \"  \r\nh=x\"y\"\r\ni=\"a\"b\"\r\nj='\r\n",
                      {}, {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
    ExpectSameReading("[s]\r\nk=a=b=c\r\nk2 = =x\r\n==y\r\nsearch=http://x/?a=1&b=%s\r\n", {},
                      {"k2", "=", ""});
    ExpectSameReading("  [001]  \r\n  name \t=\t Big  Site \t\r\n\tsearch\t=\r\nmy key = 1\r\n", {},
                      {"my key", "my", "key"});
    ExpectSameReading("[s]\r\n\"001\"=quoted key\r\n'k'=single\r\n;k=comment\r\n[x=1\r\n", {},
                      {"\"001\"", "'k'", ";k", "[x"});
}

TEST_F(IniDifferential, CaseDuplicatesAndMissingSections) {
    ExpectSameReading("[MAIN]\r\nMAXID=2\r\n[Main]\r\nmaxid=9\r\nextra=1\r\n", {}, {"extra"});
    ExpectSameReading("[main]\r\nmaxid=1\r\nmaxid=2\r\nMaxId=3\r\n");
    ExpectSameReading("[001]\r\n\r\n[001]\r\nname=second\r\n[002]\r\n;only=comment\r\n[002]\r\nname=x\r\n");
    ExpectSameReading("[001]\r\nname=x\r\ncatid=4\r\n");
    ExpectSameReading(
        "[categories]\r\n001\r\n001=News\r\n002=\r\n[empty]\r\n[blank]\r\n=v\r\n\r\n[bare]\r\nword\r\n",
        {"empty", "blank", "bare"}, {"word"});
    ExpectSameReading("[blank]\r\n=v\r\nk=after\r\n[first]\r\nk=1\r\n=v\r\nj=2\r\n", {"blank", "first"},
                      {"j"});
}

TEST_F(IniDifferential, ValuesAroundTheLengthLimit) {
    std::string text = "[s]\r\n";
    std::vector<std::string> keys;
    for (std::size_t length : {2045u, 2046u, 2047u, 2048u, 2049u, 2050u, 5000u}) {
        const std::string n = std::to_string(length);
        text += "plain" + n + "=" + std::string(length, 'p') + "\r\n";
        text += "dq" + n + "=\"" + std::string(length, 'd') + "\"\r\n";
        text += "sq" + n + "='" + std::string(length, 's') + "'\r\n";
        text += "open" + n + "=\"" + std::string(length, 'o') + "\r\n";
        keys.insert(keys.end(), {"plain" + n, "dq" + n, "sq" + n, "open" + n});
    }
    ExpectSameReading(text, {}, keys);
}

TEST_F(IniDifferential, LineEndsHeadersAndOddBytes) {
    ExpectSameReading("[main]\rmaxid=1\r[001]\rname=cr only\r");
    ExpectSameReading("[main]\nmaxid=1\n[001]\nname=lf only");
    ExpectSameReading("[main]\nmaxid=1\r[001]\nname=mixed\r\nsearch=x\r");
    ExpectSameReading("\xEF\xBB\xBF[main]\r\nmaxid=1\r\n");
    ExpectSameReading("k=top\r\n[main]junk\r\nk=1\r\n[broken\r\nm=2\r\n[]\r\nk=3\r\n[ spaced ]\r\nk=4\r\n",
                      {"broken", "", " spaced ", "spaced", "[broken"}, {"m"});
    ExpectSameReading("[nul]\r\nv=ab\0cd\r\nx\0y=3\r\n"s, {"nul"}, {"v", "x"});
    ExpectSameReading("[z]\r\nv=\x1A value \x1A\r\n", {"z"}, {"v"});
}

TEST_F(IniDifferential, WhichBytesCountAsSpace) {
    std::string text = "[s]\r\n";
    std::vector<std::string> keys;
    for (int c = 1; c < 256; ++c) {
        if (c == '\r' || c == '\n')
            continue;
        const std::string pad(1, static_cast<char>(c));
        const std::string key = "k" + std::to_string(c);
        text += key + "=" + pad + "v" + pad + "\r\n";
        text += pad + "n" + std::to_string(c) + pad + "=x\r\n";
        keys.push_back(key);
        keys.push_back("n" + std::to_string(c));
    }
    ExpectSameReading(text, {"s"}, keys, false);
}

// Catalogues written by our writer, read through the platform, come back whole.
TEST_F(IniDifferential, PlatformReadsOurCataloguesAsWritten) {
    TAnsiCollation collation;
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        TTargets targets;
        TCollections collections(collation);
        TCategories categories(collation);
        fakes::MakeSampleCatalogue(seed * 7919u, {25, 6, 5}, targets, collections, categories);
        const std::string sites = Put(TargetsFileText(targets, false));
        const std::string groups = Put(CollectionsFileText(collections, categories));
        TTargets readTargets;
        TCollections readCollections(collation);
        TCategories readCategories(collation);
        ProfileLoadTargets(readTargets, sites, false);
        ProfileLoadCollections(readCollections, groups);
        ProfileLoadCategories(readCategories, groups);
        EXPECT_EQ(fakes::Describe(readTargets, readCollections, readCategories),
                  fakes::Describe(targets, collections, categories))
            << "seed " << seed;
    }
}

// Awkward catalogue files load the same through both readers.
TEST_F(IniDifferential, BothReadersAgreeOnAwkwardCatalogues) {
    const std::string longName(3000, 'n');
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"[001]\r\nname=no main\r\n[000]\r\nname=zero\r\n",
         "[collections]\r\n000=no count\r\n[categories]\r\n000=zero\r\n"},
        {"[main]\r\nMAXID=4\r\n[001]\r\nNAME=\"Quoted\"\r\nSearch= http://a/?q=%s&x==1 \r\n[003]\r\n"
         "[004]\r\nname=" +
             longName + "\r\ncatid=junk\r\n[002]\r\n;name=c\r\n[001]\r\nopen=shadowed\r\n",
         "[Main]\r\ncollections=3\r\nCategories=3\r\n[COLLECTIONS]\r\n000=~News\r\n002='~Quoted'\r\n"
         "[targets]\r\n000=1, 4 ,-3\r\n001=4,,x,1\r\n[categories]\r\n003=Three\r\n001\r\n001=One\r\n"},
        {"[main]\r\nmaxid=2\r\n\r\n[002]\r\nname = spaced \r\n[main]\r\nmaxid=9\r\n",
         "[main]\r\ncollections=-3\r\ncategories=2\r\n[categories]\r\n002=\"\"\r\n"},
    };
    TAnsiCollation collation;
    for (const auto& [sitesText, groupsText] : cases) {
        const std::string sites = Put(sitesText);
        const std::string groups = Put(groupsText);
        TTargets ours, theirs;
        TCollections ourCollections(collation), theirCollections(collation);
        TCategories ourCategories(collation), theirCategories(collation);
        LoadFromFile(ours, fileSystem, sites, false);
        LoadFromFile(ourCollections, fileSystem, groups);
        LoadFromFile(ourCategories, fileSystem, groups);
        ProfileLoadTargets(theirs, sites, false);
        ProfileLoadCollections(theirCollections, groups);
        ProfileLoadCategories(theirCategories, groups);
        EXPECT_EQ(fakes::Describe(ours, ourCollections, ourCategories),
                  fakes::Describe(theirs, theirCollections, theirCategories))
            << sitesText << "\n"
            << groupsText;
    }
}

// The writer leaves the bytes the platform's writer leaves, on a fresh file and on an awkward one.
TEST_F(IniDifferential, WriterProducesThePlatformsBytes) {
    struct Write {
        const char* section;
        const char* key;
        std::string value;
    };
    const std::vector<Write> writes = {
        {"002", "name", "Beta"},          {"002", "search", ""},
        {"002", "open", "  http://b/"},   {"002", "catid", "0"},
        {"001", "name", "\"Alpha\" = a"}, {"main", "maxid", "2"},
        {"MAIN", "collections", "1"},     {"collections", "000", "~News"},
        {"targets", "000", "2,1"},        {"Collections", "000", "Shop"},
        {"main", "categories", "0"},      {"s", "k", "v"},
    };
    const std::vector<std::string> starts = {"",
                                             "[main]\r\nmaxid=7\r\n\r\n[s]\r\n; note\r\n\r\n[x]\r\nk=1\r\n",
                                             "lead\r\n[s]\r\nbare\r\nk=old\r\n[002]\r\n\r\n",
                                             "[s]\r\n  \t\r\n=a\r\n=b\r\n \r\n;c\r\n[main]\r\n \r\n"};
    for (const std::string& start : starts) {
        const std::string path = Put(start);
        TIniFile ini(start);
        for (const Write& write : writes) {
            ASSERT_TRUE(
                WritePrivateProfileStringA(write.section, write.key, write.value.c_str(), path.c_str()));
            ini.WriteString(write.section, write.key, write.value);
        }
        ASSERT_TRUE(WritePrivateProfileStringA("x", nullptr, nullptr, path.c_str()));
        ini.EraseSection("x");
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
        EXPECT_EQ(ini.Text(), fileSystem.ReadFile(path).value_or("<unreadable>")) << "starting from\n"
                                                                                  << start;
    }
}

} // namespace
} // namespace tsy::win32
