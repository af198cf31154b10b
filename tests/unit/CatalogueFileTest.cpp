#include "catalogue/CatalogueFile.h"
#include "AnsiCollation.h"

#include "CatalogueSamples.h"
#include "MemoryFileSystem.h"

#include <gtest/gtest.h>

#include <chrono>

namespace tsy {
namespace {

constexpr const char* SitesPath = "C:\\Users\\u\\AppData\\Roaming\\Orvelle\\Tessaly\\targets.dat";
constexpr const char* GroupsPath = "C:\\Users\\u\\AppData\\Roaming\\Orvelle\\Tessaly\\Tessaly.dat";

class CatalogueFileTest : public ::testing::Test {
protected:
    TAnsiCollation collation;
    TTargets targets;
    TCollections collections{collation};
    TCategories categories{collation};
    fakes::MemoryFileSystem files;
    TCatalogueFiles store{targets, collections, categories, files, SitesPath, GroupsPath};

    void SetUp() override { files.AddDirectory("C:\\Users\\u\\AppData\\Roaming\\Orvelle\\Tessaly"); }

    void LoadAndRepair(const std::string& sites, const std::string& groups) {
        files.AddFile(SitesPath, sites);
        files.AddFile(GroupsPath, groups);
        store.Load();
        store.CheckIntegrity();
    }
    std::string State() const { return fakes::Describe(targets, collections, categories); }
    std::vector<std::int32_t> SiteIDs() const {
        std::vector<std::int32_t> ids;
        for (const TTarget& target : targets)
            ids.push_back(target.ID);
        return ids;
    }
};

std::string SiteSection(int id, const std::string& name, int catID) {
    return "[" + RecordKey(id) + "]\r\nname=" + name + "\r\nsearch=http://" + name +
           "/?q=%s\r\nopen=http://" + name + "/\r\ncatid=" + std::to_string(catID) + "\r\n";
}

TEST_F(CatalogueFileTest, ReadsSitesNumberedUpToMaxIDInIncreasingOrder) {
    LoadAndRepair("[main]\r\nmaxid=5\r\n" + SiteSection(5, "e", 0) + SiteSection(2, "b", 0) +
                      SiteSection(6, "above", 0) + "[0003]\r\nname=padded\r\n",
                  "");
    EXPECT_EQ(SiteIDs(), (std::vector<std::int32_t>{2, 5}));
    const TTarget site = targets.ByID(2);
    EXPECT_EQ(site.Name, "b");
    EXPECT_EQ(site.Search, "http://b/?q=%s");
    EXPECT_EQ(site.Open, "http://b/");
    EXPECT_FALSE(site.ReadOnly);
}

TEST_F(CatalogueFileTest, WithoutMaxIDOnlySection000IsReadAndRenumbered) {
    LoadAndRepair(SiteSection(0, "zero", 0) + SiteSection(1, "one", 0),
                  "[main]\r\ncollections=1\r\n[targets]\r\n000=0,-0,1\r\n");
    EXPECT_EQ(SiteIDs(), std::vector<std::int32_t>{1});
    EXPECT_EQ(targets.GetItem(0).Name, "zero");
    EXPECT_EQ(collections.GetItem(0).IDs(), (TTargetIDs{1, 1, 1}));
}

TEST_F(CatalogueFileTest, Site000TakesTheLargestIDPlusOneAndItsMembersFollow) {
    LoadAndRepair("[main]\r\nmaxid=7\r\n" + SiteSection(0, "zero", 0) + SiteSection(7, "seven", 0),
                  "[main]\r\ncollections=1\r\n[collections]\r\n000=All\r\n[targets]\r\n000=7,0,5\r\n");
    EXPECT_EQ(SiteIDs(), (std::vector<std::int32_t>{8, 7}));
    EXPECT_EQ(targets.ByID(8).Name, "zero");
    EXPECT_EQ(collections.GetItem(0).IDs(), (TTargetIDs{7, 8}));
}

TEST_F(CatalogueFileTest, ASiteSectionWithoutEntriesIsSkippedAndItsNumberStaysFree) {
    LoadAndRepair("[main]\r\nmaxid=3\r\n[003]\r\n" + SiteSection(1, "one", 0) + "[002]\r\n;name=x\r\n", "");
    EXPECT_EQ(SiteIDs(), std::vector<std::int32_t>{1});
    TTarget added;
    targets.Add(added);
    EXPECT_EQ(added.ID, 2);
}

TEST_F(CatalogueFileTest, MissingValuesReadAsEmptyAndZero) {
    LoadAndRepair("[main]\r\nmaxid=1\r\n[001]\r\nname=only\r\n", "");
    ASSERT_EQ(targets.Count(), 1);
    EXPECT_EQ(targets.GetItem(0), (TTarget{1, "only", "", "", 0, false, {}, {}}));
}

TEST_F(CatalogueFileTest, Category000IsRenumberedAndTakesTheGeneralSites) {
    LoadAndRepair("[main]\r\nmaxid=3\r\n" + SiteSection(1, "gen", 0) + SiteSection(2, "four", 4) +
                      SiteSection(3, "lost", 9),
                  "[main]\r\ncategories=4\r\n[categories]\r\n000=Zero\r\n004=Four\r\n005=Above\r\n");
    ASSERT_EQ(categories.Count(), 2);
    EXPECT_EQ(categories.GetItem(0), (TCategory{5, "Zero"}));
    EXPECT_EQ(categories.GetItem(1), (TCategory{4, "Four"}));
    EXPECT_EQ(targets.ByID(1).CatID, 5);
    EXPECT_EQ(targets.ByID(2).CatID, 4);
    // Category 9 does not exist: the site becomes "(general)", after the renumbering.
    EXPECT_EQ(targets.ByID(3).CatID, 0);
}

TEST_F(CatalogueFileTest, MembersThatNameNoSiteAreDroppedNegativeOnesOfKnownSitesStay) {
    LoadAndRepair("[main]\r\nmaxid=8\r\n" + SiteSection(3, "a", 0) + SiteSection(4, "b", 0) +
                      SiteSection(8, "c", 0),
                  "[main]\r\ncollections=2\r\n[collections]\r\n000=One\r\n001=Two\r\n"
                  "[targets]\r\n000=3,9,-4,8\r\n001=-2147483648,2147483647,-8\r\n");
    EXPECT_EQ(collections.GetItem(0).IDs(), (TTargetIDs{3, -4, 8}));
    EXPECT_EQ(collections.GetItem(1).IDs(), TTargetIDs{-8});
}

TEST_F(CatalogueFileTest, ADeletedSitesNegatedEntryIsSavedThenDroppedByTheNextRepair) {
    LoadAndRepair("[main]\r\nmaxid=7\r\n" + SiteSection(3, "a", 0) + SiteSection(7, "b", 0),
                  "[main]\r\ncollections=1\r\n[collections]\r\n000=All\r\n[targets]\r\n000=7,-7,3\r\n");
    ASSERT_EQ(collections.GetItem(0).IDs(), (TTargetIDs{7, -7, 3}));
    ASSERT_TRUE(targets.Delete(targets.IndexOf(7)));
    collections.GetItem(0).Remove(7);
    EXPECT_EQ(collections.GetItem(0).IDs(), (TTargetIDs{-7, 3}));
    store.Save();
    EXPECT_NE(files.Content(GroupsPath)->find("000=-7,3\r\n"), std::string::npos);
    store.Load();
    EXPECT_EQ(collections.GetItem(0).IDs(), (TTargetIDs{-7, 3}));
    store.CheckIntegrity();
    EXPECT_EQ(collections.GetItem(0).IDs(), TTargetIDs{3});
}

TEST_F(CatalogueFileTest, ReadsCollectionsByPositionWithDefaultsAndTheRandomMark) {
    LoadAndRepair("[main]\r\nmaxid=2\r\n" + SiteSection(1, "a", 0) + SiteSection(2, "b", 0),
                  "[main]\r\ncollections=3\r\n[collections]\r\n000=~News\r\n002=~~Odd\r\n003=Beyond\r\n"
                  "[targets]\r\n000= 1 , 2 \r\n001=2,x,,1\r\n");
    ASSERT_EQ(collections.Count(), 3);
    EXPECT_EQ(collections.GetItem(0).Name(), "News");
    EXPECT_TRUE(collections.GetItem(0).Randomize);
    EXPECT_EQ(collections.GetItem(0).IDs(), (TTargetIDs{1, 2}));
    EXPECT_EQ(collections.GetItem(1).Name(), "001");
    EXPECT_FALSE(collections.GetItem(1).Randomize);
    // Parts that are not numbers are skipped instead of ending the load.
    EXPECT_EQ(collections.GetItem(1).IDs(), (TTargetIDs{2, 1}));
    EXPECT_EQ(collections.GetItem(2).Name(), "~Odd");
    EXPECT_TRUE(collections.GetItem(2).IDs().empty());
}

TEST_F(CatalogueFileTest, DuplicateCollectionNamesAreAccepted) {
    LoadAndRepair("", "[main]\r\ncollections=2\r\n[collections]\r\n000=Same\r\n001=SAME\r\n");
    EXPECT_EQ(collections.Count(), 2);
}

TEST_F(CatalogueFileTest, DamagedCountsNeitherStallNorExplode) {
    LoadAndRepair("[main]\r\nmaxid=2147483647\r\n" + SiteSection(2147483647, "last", 0),
                  "[main]\r\ncollections=-4\r\ncategories=2147483647\r\n[categories]\r\n2147483647=Top\r\n"
                  "000=Zero\r\n");
    EXPECT_EQ(collections.Count(), 0);
    EXPECT_EQ(SiteIDs(), std::vector<std::int32_t>{2147483647});
    // No id is left above the largest: the repair takes the smallest free one.
    ASSERT_EQ(categories.Count(), 2);
    EXPECT_EQ(categories.GetItem(0).ID, 1);
    EXPECT_EQ(categories.GetItem(1).ID, 2147483647);

    files.AddFile(GroupsPath, "[main]\r\ncollections=2000000000\r\n");
    const auto start = std::chrono::steady_clock::now();
    store.Load();
    EXPECT_EQ(collections.Count(), MaxCollectionCount);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST_F(CatalogueFileTest, MissingFilesGiveAnEmptyCatalogueWithoutError) {
    TTarget site;
    targets.Add(site);
    collections.Add("Old");
    categories.Add("Old");
    EXPECT_NO_THROW(store.Load());
    EXPECT_EQ(State(), "");
}

TEST_F(CatalogueFileTest, AnUnreadableFileRaisesAndLeavesTheCatalogueAsItWas) {
    TTarget site;
    targets.Add(site);
    files.AddFile(SitesPath, SiteSection(1, "a", 0));
    files.AddFile(GroupsPath, "");
    files.unreadableFiles.insert(fakes::MemoryFileSystem::Normalize(GroupsPath));
    const std::string before = State();
    EXPECT_THROW(store.Load(), EFileError);
    EXPECT_EQ(State(), before);
}

TEST_F(CatalogueFileTest, SavingWritesTheDocumentedLayout) {
    TTarget a{0, "Alpha", "http://a/?q=%s", "http://a/", 2, false, {}, {}};
    TTarget b{0, "Beta", "", "http://b/", 0, false, {}, {}};
    targets.Add(a);
    targets.Add(b);
    std::swap(a, b);
    targets.SetItem(0, a);
    targets.SetItem(1, b);
    collections.Add("News");
    collections.GetItem(0).Randomize = true;
    collections.GetItem(0).Add(2);
    collections.GetItem(0).Add(1);
    collections.Add("Empty");
    categories.Append(TCategory{2, "Two"});
    categories.Append(TCategory{1, "One"});
    store.Save();
    EXPECT_EQ(files.Content(SitesPath),
              "[002]\r\nname=Beta\r\nsearch=\r\nopen=http://b/\r\ncatid=0\r\n"
              "[001]\r\nname=Alpha\r\nsearch=http://a/?q=%s\r\nopen=http://a/\r\ncatid=2\r\n"
              "[main]\r\nmaxid=2\r\n");
    EXPECT_EQ(files.Content(GroupsPath), "[main]\r\ncollections=2\r\ncategories=2\r\n"
                                         "[collections]\r\n000=~News\r\n001=Empty\r\n"
                                         "[targets]\r\n000=2,1\r\n001=\r\n"
                                         "[categories]\r\n002=Two\r\n001=One\r\n");
}

TEST_F(CatalogueFileTest, CharsetIsWrittenOnlyForSitesThatHaveItAndAnyValueSurvives) {
    const std::string without = "[001]\r\nname=Plain\r\nsearch=http://p/?q=%s\r\nopen=\r\ncatid=0\r\n";
    const std::string sites = without + "[002]\r\nname=Wide\r\nsearch=http://w/?q=%s\r\nopen=\r\ncatid=0\r\n"
                                        "charset=utf-8\r\n"
                                        "[003]\r\nname=Old\r\nsearch=http://o/?q=%s\r\nopen=\r\ncatid=0\r\n"
                                        "charset=koi8-r\r\n"
                                        "[main]\r\nmaxid=3\r\n";
    LoadAndRepair(sites, "");
    EXPECT_EQ(targets.ByID(1).Charset, "");
    EXPECT_EQ(targets.ByID(2).Charset, "utf-8");
    EXPECT_EQ(targets.ByID(3).Charset, "koi8-r");
    store.Save();
    EXPECT_EQ(files.Content(SitesPath), sites);

    targets.Clear();
    LoadAndRepair(without + "[main]\r\nmaxid=1\r\n", "");
    store.Save();
    EXPECT_EQ(files.Content(SitesPath), without + "[main]\r\nmaxid=1\r\n");
}

TEST_F(CatalogueFileTest, SavingAnEmptyCatalogueWritesOnlyMain) {
    store.Save();
    EXPECT_EQ(files.Content(SitesPath), "[main]\r\nmaxid=0\r\n");
    EXPECT_EQ(files.Content(GroupsPath), "[main]\r\ncollections=0\r\ncategories=0\r\n");
}

TEST_F(CatalogueFileTest, DeletionsShowInTheNextSaveAndFreeTheirIDs) {
    LoadAndRepair("[main]\r\nmaxid=3\r\n" + SiteSection(1, "a", 1) + SiteSection(2, "b", 1) +
                      SiteSection(3, "c", 2),
                  "[main]\r\ncategories=2\r\n[categories]\r\n001=One\r\n002=Two\r\n");
    targets.Delete(targets.IndexOf(3));
    categories.Delete(categories.IndexOfID(2));
    store.Save();
    store.Load();
    EXPECT_EQ(targets.MaxID(), 2);
    EXPECT_EQ(files.Content(SitesPath)->find("[003]"), std::string::npos);
    EXPECT_NE(files.Content(SitesPath)->find("maxid=2"), std::string::npos);
    EXPECT_EQ(categories.Count(), 1);
    TTarget added;
    targets.Add(added);
    EXPECT_EQ(added.ID, 3);
}

TEST_F(CatalogueFileTest, OnlySitesOfTheAskedReadOnlyFlagAreWrittenAndReadGetsTheFlag) {
    TTarget mine{0, "Mine", "", "", 0, false, {}, {}};
    TTarget fixed{0, "Fixed", "", "", 0, true, {}, {}};
    targets.Add(mine);
    targets.Add(fixed);
    SaveToFile(targets, files, SitesPath, true);
    TTargets back;
    LoadFromFile(back, files, SitesPath, true);
    ASSERT_EQ(back.Count(), 1);
    EXPECT_EQ(back.GetItem(0), fixed);
    LoadFromFile(back, files, SitesPath, false);
    ASSERT_EQ(back.Count(), 2);
    EXPECT_FALSE(back.GetItem(1).ReadOnly);
}

TEST_F(CatalogueFileTest, AFailedSaveKeepsTheOldFilesAndReachesTheCaller) {
    files.AddFile(SitesPath, "old sites");
    files.AddFile(GroupsPath, "old groups");
    store.Load();
    files.failWrites = true;
    EXPECT_THROW(store.Save(), EFileError);
    EXPECT_EQ(files.Content(SitesPath), "old sites");
    EXPECT_EQ(files.Content(GroupsPath), "old groups");
    EXPECT_EQ(files.writeCount, 0);
}

TEST_F(CatalogueFileTest, NothingIsWrittenOverFilesThatWereNotRead) {
    const std::string sites = SiteSection(1, "a", 0) + "[main]\r\nmaxid=1\r\n";
    files.AddFile(SitesPath, sites);
    files.AddFile(GroupsPath, "");
    EXPECT_THROW(store.Save(), EFileError) << "never loaded";
    files.unreadableFiles.insert(fakes::MemoryFileSystem::Normalize(SitesPath));
    EXPECT_THROW(store.Load(), EFileError);
    EXPECT_THROW(store.Save(), EFileError) << "the load failed";
    EXPECT_EQ(files.writeCount, 0);
    EXPECT_EQ(files.Content(SitesPath), sites);

    files.unreadableFiles.clear();
    store.Load();
    store.Save();
    EXPECT_EQ(files.Content(SitesPath), sites);
}

// Fails the armed step of the file system's writes and counts them all.
struct TCountingFaults : IFaultPoint {
    std::uint32_t Reached(const char*) override { return ++steps == armedAt ? 5 : 0; }
    int steps = 0;
    int armedAt = 0;
};

TEST_F(CatalogueFileTest, AFailureAtAnyStepOfASaveLeavesBothFilesAsTheyWere) {
    LoadAndRepair(SiteSection(1, "a", 0) + "[main]\r\nmaxid=1\r\n", "[main]\r\ncollections=0\r\n");
    const auto before = files.files;
    TTarget site;
    site.Name = "b";
    targets.Add(site);
    collections.GetItem(collections.Add("New")).Add(2);
    for (int at = 1;; ++at) {
        TCountingFaults faults;
        faults.armedAt = at;
        files.faults = &faults;
        try {
            store.Save();
        } catch (const EFileError&) {
            EXPECT_EQ(files.files, before) << "step " << at;
            files.files = before;
            continue;
        }
        EXPECT_GT(at, 2) << "both files are written";
        break;
    }
    files.faults = nullptr;
    EXPECT_NE(files.Content(SitesPath)->find("name=b"), std::string::npos);
    EXPECT_NE(files.Content(GroupsPath)->find("000=New"), std::string::npos);
    EXPECT_EQ(files.files.size(), before.size()) << "no temporary file is left";
}

TEST_F(CatalogueFileTest, SeparateSavesRewriteOnlyTheirPartOfTheCollectionsFile) {
    files.AddFile(GroupsPath, "[main]\r\ncollections=5\r\ncategories=1\r\n[targets]\r\n004=1\r\n"
                              "[categories]\r\n001=Kept\r\n[TARGETS]\r\n000=stale\r\n");
    collections.Add("Fresh");
    SaveToFile(collections, files, GroupsPath);
    EXPECT_EQ(files.Content(GroupsPath), "[main]\r\ncollections=1\r\ncategories=1\r\n"
                                         "[categories]\r\n001=Kept\r\n"
                                         "[collections]\r\n000=Fresh\r\n[targets]\r\n000=\r\n");
    categories.Append(TCategory{3, "Three"});
    SaveToFile(categories, files, GroupsPath);
    TCategories back(collation);
    LoadFromFile(back, files, GroupsPath);
    EXPECT_EQ(fakes::Describe(TTargets(), TCollections(collation), back),
              "category 1 [Kept]\ncategory 3 [Three]\n");
}

TEST_F(CatalogueFileTest, LoadOfSaveGivesBackGeneratedCatalogues) {
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        targets.Clear();
        collections.Clear();
        categories.Clear();
        const int sizes = static_cast<int>(seed % 7);
        fakes::MakeSampleCatalogue(seed, {sizes * 9, sizes * 2, sizes}, targets, collections, categories);
        const std::string before = State();
        store.Save();
        store.Load();
        EXPECT_EQ(State(), before) << "seed " << seed;
        store.CheckIntegrity();
        EXPECT_EQ(State(), before) << "the repair changed a consistent catalogue, seed " << seed;
    }
}

TEST_F(CatalogueFileTest, SavedTextsEqualWritingKeyByKeyRepeatedIDsIncluded) {
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        targets.Clear();
        collections.Clear();
        categories.Clear();
        fakes::MakeSampleCatalogue(seed, {static_cast<int>(seed % 9) * 5, static_cast<int>(seed % 4), 3},
                                   targets, collections, categories);
        TTarget odd{0, "  lead\r\nbreak", " ", "", -3, seed % 2 == 0, seed % 3 == 0 ? "utf-8" : "", {}};
        targets.Add(odd);
        if (seed % 3 == 0 && targets.Count() > 1) {
            targets.SetItem(0, targets.GetItem(targets.High()));
            categories.Append(TCategory{categories.Count() > 0 ? categories.GetItem(0).ID : 0, "again"});
        }
        for (bool readOnly : {false, true}) {
            TIniFile sites;
            WriteTargets(targets, sites, readOnly);
            EXPECT_EQ(TargetsFileText(targets, readOnly), sites.Text()) << "seed " << seed;
        }
        TIniFile groups;
        WriteCollections(collections, groups);
        WriteCategories(categories, groups);
        EXPECT_EQ(CollectionsFileText(collections, categories), groups.Text()) << "seed " << seed;
    }
}

TEST_F(CatalogueFileTest, SeedingCopiesTheStarterFileOnlyWhenTheDataFolderLacksIt) {
    const std::string data = "C:\\Users\\u\\AppData\\Roaming\\Orvelle\\Tessaly\\";
    const std::string program = "C:\\Program Files\\Tessaly\\";
    files.AddFile(program + "targets.dat", "starter");
    files.AddFile(program + "Tessaly.dat", "starter groups");
    EXPECT_EQ(SeedDataFile(files, data, program, "targets.dat"), data + "targets.dat");
    EXPECT_TRUE(files.DirectoryExists("C:\\Users\\u\\AppData\\Roaming\\Orvelle"));
    EXPECT_EQ(files.Content(data + "targets.dat"), "starter");

    files.AddFile(data + "Tessaly.dat", "mine");
    EXPECT_EQ(SeedDataFile(files, data, program, "Tessaly.dat"), data + "Tessaly.dat");
    EXPECT_EQ(files.Content(data + "Tessaly.dat"), "mine");

    EXPECT_EQ(SeedDataFile(files, data, program, "absent.dat"), data + "absent.dat");
    EXPECT_FALSE(files.FileExists(data + "absent.dat"));
}

TEST_F(CatalogueFileTest, SeedingGoesOnWhenTheDataFolderCannotBeMade) {
    files.AddFile("C:\\P\\targets.dat", "starter");
    files.readOnlyFolders.insert("c:\\locked");
    EXPECT_EQ(SeedDataFile(files, "C:\\Locked\\Orvelle\\Tessaly", "C:\\P", "targets.dat"),
              "C:\\Locked\\Orvelle\\Tessaly\\targets.dat");
    EXPECT_FALSE(files.DirectoryExists("C:\\Locked\\Orvelle"));
}

TEST(CatalogueFilePaths, DataFolderFollowsApplicationDataOrTheCurrentDrive) {
    EXPECT_EQ(DataFolderFor("C:\\Users\\u\\AppData\\Roaming", "D:\\work"),
              "C:\\Users\\u\\AppData\\Roaming\\Orvelle\\Tessaly\\");
    EXPECT_EQ(DataFolderFor("C:\\Roaming\\", "D:\\work"), "C:\\Roaming\\Orvelle\\Tessaly\\");
    EXPECT_EQ(DataFolderFor("", "D:\\work\\deep"), "D:\\Orvelle\\Tessaly\\");
    EXPECT_EQ(DataFolderFor("", "\\\\server\\share\\dir"), "\\\\server\\share\\Orvelle\\Tessaly\\");
    EXPECT_EQ(DataFolderFor("", ""), "\\Orvelle\\Tessaly\\");
}

TEST(CatalogueFilePaths, ProgramFolderAndCollectionsFileComeFromTheExecutable) {
    EXPECT_EQ(FolderOf("C:\\Program Files\\Tessaly\\Tessaly.exe"), "C:\\Program Files\\Tessaly\\");
    EXPECT_EQ(FolderOf("C:Tessaly.exe"), "C:");
    EXPECT_EQ(FolderOf("Tessaly.exe"), "");
    EXPECT_EQ(CollectionsFileNameFor("C:\\Program Files\\Tessaly\\Tessaly.exe"), "Tessaly.dat");
    EXPECT_EQ(CollectionsFileNameFor("C:\\a.b\\My.Search.EXE"), "My.Search.dat");
    EXPECT_EQ(CollectionsFileNameFor("C:\\a.b\\noext"), "noext.dat");
    EXPECT_EQ(JoinPath("C:\\x", "y.dat"), "C:\\x\\y.dat");
    EXPECT_EQ(JoinPath("C:\\x/", "y.dat"), "C:\\x/y.dat");
}

TEST(SaveTemporaries, OnlyTheNamesAWholeFileWriteGivesItsTemporaryCount) {
    for (const char* name : {"tsy1.tmp", "tsyFFFF.tmp", "TSYab12.TMP", "Tsy0.Tmp"})
        EXPECT_TRUE(IsSaveTemporaryName(name)) << name;
    for (const char* name : {"tsy.tmp", "tsy12345.tmp", "tsyxyz.tmp", "tsy1.tmp.dat", "tsy1.tm", "tsy-1.tmp",
                             "xtsy1.tmp", "targets.dat", "Tessaly.dat", "tsy1.dat", "other.tmp", ""})
        EXPECT_FALSE(IsSaveTemporaryName(name)) << name;

    fakes::MemoryFileSystem files;
    files.AddFile("C:\\Data\\tsy1A.tmp", "half a save");
    files.AddFile("C:\\Data\\targets.dat", "sites");
    files.AddFile("C:\\Data\\Sub\\tsy2.tmp", "another folder's");
    files.AddFile("C:\\Data\\notes.tmp", "not ours");
    files.RemoveStaleTemporaries("C:\\Data\\");
    EXPECT_FALSE(files.FileExists("C:\\Data\\tsy1A.tmp"));
    EXPECT_TRUE(files.FileExists("C:\\Data\\targets.dat"));
    EXPECT_TRUE(files.FileExists("C:\\Data\\Sub\\tsy2.tmp"));
    EXPECT_TRUE(files.FileExists("C:\\Data\\notes.tmp"));
}

} // namespace
} // namespace tsy
