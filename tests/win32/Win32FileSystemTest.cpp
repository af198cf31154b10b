#include "support/win32/Win32FileSystem.h"
#include "AnsiCollation.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/win32/DataPaths.h"
#include "support/win32/UniqueHandle.h"

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace tsy::win32 {
namespace {

using namespace std::string_literals;

class Win32FileSystemTest : public ::testing::Test {
protected:
    TWin32FileSystem files;
    std::string folder;

    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "tsy-fs-" + std::to_string(GetCurrentProcessId()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
        RemoveTree(folder);
        files.CreateDirectories(folder);
    }
    void TearDown() override { RemoveTree(folder); }

    static void RemoveTree(const std::string& where) {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((where + "*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = data.cFileName;
                if (name == "." || name == "..")
                    continue;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(where + name + "\\");
                } else {
                    SetFileAttributesA((where + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA((where + name).c_str());
                }
            } while (FindNextFileA(find, &data));
            FindClose(find);
        }
        RemoveDirectoryA(where.c_str());
    }

    // Names in the folder, so a test can see that no temporary file was left behind.
    std::vector<std::string> Listing(const std::string& where) const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((where + "*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (data.cFileName != "."s && data.cFileName != ".."s)
                names.emplace_back(data.cFileName);
        } while (FindNextFileA(find, &data));
        FindClose(find);
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(Win32FileSystemTest, WritesReadsAndReplacesWholeFiles) {
    const std::string path = folder + "targets.dat";
    EXPECT_FALSE(files.FileExists(path));
    EXPECT_EQ(files.ReadFile(path), std::nullopt);
    const std::string bytes = "[main]\r\nmaxid=0\r\n\0\xFF\x1A tail"s;
    files.WriteFileAtomic(path, bytes);
    EXPECT_TRUE(files.FileExists(path));
    EXPECT_FALSE(files.DirectoryExists(path));
    EXPECT_EQ(files.ReadFile(path), bytes);
    files.WriteFileAtomic(path, "short");
    EXPECT_EQ(files.ReadFile(path), "short");
    files.WriteFileAtomic(path, "");
    EXPECT_EQ(files.ReadFile(path), "");
    const std::string big(3 << 20, 'b');
    files.WriteFileAtomic(path, big);
    EXPECT_TRUE(files.ReadFile(path) == big);
    EXPECT_EQ(Listing(folder), std::vector<std::string>{"targets.dat"});
}

TEST_F(Win32FileSystemTest, AFailedReplaceKeepsTheOldFileAndLeavesNoTemporaryFile) {
    const std::string path = folder + "Tessaly.dat";
    files.WriteFileAtomic(path, "old");

    // The target is held open without sharing: it cannot be replaced.
    {
        UniqueFile holder(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_THROW(files.WriteFileAtomic(path, "new"), EFileError);
    }
    EXPECT_EQ(files.ReadFile(path), "old");
    EXPECT_EQ(Listing(folder), std::vector<std::string>{"Tessaly.dat"});

    // A folder where the file should be.
    files.CreateDirectories(folder + "taken");
    EXPECT_THROW(files.WriteFileAtomic(folder + "taken", "new"), EFileError);
    EXPECT_TRUE(files.DirectoryExists(folder + "taken"));
    EXPECT_EQ(Listing(folder), (std::vector<std::string>{"Tessaly.dat", "taken"}));
}

TEST_F(Win32FileSystemTest, AMissingFolderFailsTheWriteWithoutCreatingAnything) {
    try {
        files.WriteFileAtomic(folder + "absent\\targets.dat", "x");
        ADD_FAILURE() << "the write succeeded";
    } catch (const EFileError& error) {
        EXPECT_NE(std::string(error.what()).find("targets.dat"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(files.DirectoryExists(folder + "absent"));
}

TEST_F(Win32FileSystemTest, CatalogueSaveFailureReachesTheCallerAndKeepsBothFiles) {
    TAnsiCollation collation;
    TTargets targets;
    TCollections collections(collation);
    TCategories categories(collation);
    const std::string sites = folder + "targets.dat";
    const std::string groups = folder + "Tessaly.dat";
    files.WriteFileAtomic(sites, "[main]\r\nmaxid=0\r\n");
    files.WriteFileAtomic(groups, "[main]\r\ncollections=0\r\n");
    TCatalogueFiles store(targets, collections, categories, files, sites, groups);
    store.Load();
    TTarget site{0, "Site", "http://s/?q=%s", "http://s/", 0, false, {}, {}};
    targets.Add(site);
    {
        UniqueFile holder(CreateFileA(sites.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_THROW(store.Save(), EFileError);
    }
    EXPECT_EQ(files.ReadFile(sites), "[main]\r\nmaxid=0\r\n");
    EXPECT_EQ(files.ReadFile(groups), "[main]\r\ncollections=0\r\n");
    store.Save();
    store.Load();
    EXPECT_EQ(targets.Count(), 1);
}

// Counts the steps of file writes; at the armed one it fails the step with an error, or ends
// the thread on the spot, which is what a killed process leaves behind: no destructor runs.
class TStepFaults : public IFaultPoint {
public:
    std::uint32_t Reached(const char* step) override {
        steps.emplace_back(step);
        if (int(steps.size()) != armedAt)
            return 0;
        if (kill)
            ExitThread(1);
        return error;
    }
    std::vector<std::string> steps;
    int armedAt = 0;
    bool kill = false;
    DWORD error = 0;
};

void FillCatalogue(TTargets& targets, TCollections& collections) {
    TTargetIDs ids;
    for (int i = 1; i <= 3; ++i) {
        TTarget site{0, "Site " + std::to_string(i), "http://s/?q=%s", "http://s/", 0, false, {}, {}};
        targets.Add(site);
        ids.push_back(i);
    }
    collections.GetItem(collections.Add("All")).SetIDs(ids);
}

struct SaveJob {
    TWin32FileSystem* files;
    std::string sites, groups;
    bool finished = false;
};

DWORD WINAPI SaveThread(void* argument) {
    auto& job = *static_cast<SaveJob*>(argument);
    TAnsiCollation collation;
    TTargets targets;
    TCollections collections(collation);
    TCategories categories(collation);
    TCatalogueFiles store(targets, collections, categories, *job.files, job.sites, job.groups);
    try {
        // Read first, as the program does; what is saved is the new catalogue alone.
        store.Load();
        targets.Clear();
        collections.Clear();
        FillCatalogue(targets, collections);
        store.Save();
        job.finished = true;
    } catch (const EFileError&) {
    }
    return 0;
}

class CatalogueFaultTest : public Win32FileSystemTest {
protected:
    void SetUp() override {
        Win32FileSystemTest::SetUp();
        sites = folder + "targets.dat";
        groups = folder + "Tessaly.dat";
        TWin32FileSystem plain;
        plain.WriteFileAtomic(sites, oldSites);
        plain.WriteFileAtomic(groups, oldGroups);
    }
    // Both files of a catalogue of `count` sites in one collection, as a save writes them.
    std::pair<std::string, std::string> NewFiles() {
        TAnsiCollation collation;
        TTargets targets;
        TCollections collections(collation);
        TCategories categories(collation);
        FillCatalogue(targets, collections);
        return {TargetsFileText(targets, false), CollectionsFileText(collections, categories)};
    }
    // Saves the new catalogue through `files` on a thread of its own; false when it did not finish.
    bool SaveOnThread(TWin32FileSystem& through) {
        SaveJob job{&through, sites, groups};
        HANDLE thread = CreateThread(nullptr, 0, SaveThread, &job, 0, nullptr);
        EXPECT_EQ(WaitForSingleObject(thread, 30000), WAIT_OBJECT_0);
        CloseHandle(thread);
        return job.finished;
    }
    // Loads through the program's own path, as the next start would.
    int LoadedSites() {
        TAnsiCollation collation;
        TTargets targets;
        TCollections collections(collation);
        TCategories categories(collation);
        TWin32FileSystem plain;
        TCatalogueFiles store(targets, collections, categories, plain, sites, groups);
        store.Load();
        return targets.Count();
    }

    std::string sites, groups;
    const std::string oldSites =
        "[001]\r\nname=Old\r\nsearch=http://o/?q=%s\r\nopen=\r\ncatid=0\r\n[main]\r\nmaxid=1\r\n";
    const std::string oldGroups = "[main]\r\ncollections=0\r\ncategories=0\r\n";
};

TEST_F(CatalogueFaultTest, KilledAtAnyStepOfASaveEachFileIsOldOrNew) {
    auto [newSites, newGroups] = NewFiles();
    TStepFaults counter;
    TWin32FileSystem counting(&counter);
    ASSERT_TRUE(SaveOnThread(counting));
    const int steps = int(counter.steps.size());
    ASSERT_GE(steps, 10);

    for (int at = 1; at <= steps; ++at) {
        TWin32FileSystem plain;
        plain.WriteFileAtomic(sites, oldSites);
        plain.WriteFileAtomic(groups, oldGroups);
        TStepFaults faults;
        faults.armedAt = at;
        faults.kill = true;
        TWin32FileSystem dying(&faults);
        EXPECT_FALSE(SaveOnThread(dying)) << "step " << at;

        auto onDiskSites = plain.ReadFile(sites);
        auto onDiskGroups = plain.ReadFile(groups);
        ASSERT_TRUE(onDiskSites && onDiskGroups) << "step " << at;
        EXPECT_TRUE(*onDiskSites == oldSites || *onDiskSites == newSites) << "step " << at;
        EXPECT_TRUE(*onDiskGroups == oldGroups || *onDiskGroups == newGroups) << "step " << at;
        // The collections file is written second: never new beside old sites.
        EXPECT_FALSE(*onDiskSites == oldSites && *onDiskGroups == newGroups) << "step " << at;
        EXPECT_EQ(LoadedSites(), *onDiskSites == oldSites ? 1 : 3) << "step " << at;
    }
    // Leftover temporary files are never the data files, they carry the name the start-up
    // clean-up looks for, and the next save goes through.
    const auto leftovers = Listing(folder);
    for (const auto& name : leftovers)
        EXPECT_TRUE(name == "targets.dat" || name == "Tessaly.dat" || IsSaveTemporaryName(name)) << name;
    EXPECT_GT(leftovers.size(), 2u) << "a killed save leaves its temporary file";
    TWin32FileSystem plain;
    ASSERT_TRUE(SaveOnThread(plain));
    EXPECT_EQ(plain.ReadFile(sites), newSites);
    EXPECT_EQ(plain.ReadFile(groups), newGroups);
}

TEST_F(CatalogueFaultTest, DiskFullOrAccessDeniedAtAnyStepIsReportedAndKeepsTheOldFiles) {
    auto [newSites, newGroups] = NewFiles();
    for (DWORD error : {DWORD(ERROR_DISK_FULL), DWORD(ERROR_ACCESS_DENIED)}) {
        for (int at = 1;; ++at) {
            TWin32FileSystem plain;
            plain.WriteFileAtomic(sites, oldSites);
            plain.WriteFileAtomic(groups, oldGroups);
            TStepFaults faults;
            faults.armedAt = at;
            faults.error = error;
            TWin32FileSystem failing(&faults);
            if (SaveOnThread(failing)) {
                EXPECT_GT(at, 10);
                break;
            }
            // Also between the two replaces: the sites file is put back.
            EXPECT_EQ(plain.ReadFile(sites), oldSites) << "step " << at;
            EXPECT_EQ(plain.ReadFile(groups), oldGroups) << "step " << at;
            // A failed write takes its temporary file with it.
            EXPECT_EQ(Listing(folder), (std::vector<std::string>{"Tessaly.dat", "targets.dat"}))
                << "step " << at;
        }
    }
    TStepFaults faults;
    faults.armedAt = 1;
    faults.error = ERROR_DISK_FULL;
    TWin32FileSystem full(&faults);
    try {
        full.WriteFileAtomic(sites, "x");
        ADD_FAILURE() << "no error";
    } catch (const EFileError& e) {
        EXPECT_NE(std::string(e.what()).find(sites), std::string::npos) << e.what();
    }
}

TEST_F(CatalogueFaultTest, AReadOnlyCollectionsFileFailsTheSaveAndPutsTheSitesFileBack) {
    ASSERT_TRUE(SetFileAttributesA(groups.c_str(), FILE_ATTRIBUTE_READONLY));
    TWin32FileSystem plain;
    EXPECT_FALSE(SaveOnThread(plain));
    EXPECT_EQ(plain.ReadFile(sites), oldSites);
    EXPECT_EQ(plain.ReadFile(groups), oldGroups);
    EXPECT_EQ(Listing(folder), (std::vector<std::string>{"Tessaly.dat", "targets.dat"}));
    EXPECT_EQ(LoadedSites(), 1);

    ASSERT_TRUE(SetFileAttributesA(groups.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(SaveOnThread(plain));
    EXPECT_EQ(plain.ReadFile(sites), NewFiles().first);
}

TEST_F(Win32FileSystemTest, CreatesEveryMissingParentFolder) {
    const std::string deep = folder + "a\\b\\c\\";
    files.CreateDirectories(deep);
    EXPECT_TRUE(files.DirectoryExists(folder + "a\\b\\c"));
    EXPECT_NO_THROW(files.CreateDirectories(deep));
    files.WriteFileAtomic(folder + "file", "x");
    EXPECT_THROW(files.CreateDirectories(folder + "file\\sub"), EFileError);
}

TEST_F(Win32FileSystemTest, SeedingCopiesTheStarterFilesOnce) {
    const std::string program = folder + "Program\\";
    const std::string data = folder + "AppData\\Orvelle\\Tessaly\\";
    files.CreateDirectories(program);
    files.WriteFileAtomic(program + "targets.dat", "starter sites");
    files.WriteFileAtomic(program + "Tessaly.dat", "starter groups");

    EXPECT_EQ(SeedDataFile(files, data, program, "Tessaly.dat"), data + "Tessaly.dat");
    EXPECT_EQ(SeedDataFile(files, data, program, "targets.dat"), data + "targets.dat");
    EXPECT_EQ(files.ReadFile(data + "targets.dat"), "starter sites");
    EXPECT_EQ(files.ReadFile(data + "Tessaly.dat"), "starter groups");

    files.WriteFileAtomic(data + "targets.dat", "edited");
    files.WriteFileAtomic(program + "targets.dat", "newer starter");
    SeedDataFile(files, data, program, "targets.dat");
    EXPECT_EQ(files.ReadFile(data + "targets.dat"), "edited");
    EXPECT_FALSE(files.CopyFileNoOverwrite(program + "targets.dat", data + "targets.dat"));
}

TEST_F(Win32FileSystemTest, StaleTemporariesGoAndEverythingElseStays) {
    for (const char* name :
         {"TSYBEEF.TMP", "tsy12345.tmp", "tsy-notes.tmp", "other.tmp", "targets.dat", "tsy2.tmp.dat"})
        files.WriteFileAtomic(folder + name, "x");
    files.CreateDirectories(folder + "tsy3.tmp");
    // What a save killed after naming its temporary file leaves once the process is gone.
    char killed[MAX_PATH + 16] = {};
    ASSERT_NE(GetTempFileNameA(folder.c_str(), "tsy", 0, killed), 0u);
    files.RemoveStaleTemporaries(folder.substr(0, folder.size() - 1));
    EXPECT_EQ(Listing(folder), (std::vector<std::string>{"other.tmp", "targets.dat", "tsy-notes.tmp",
                                                         "tsy12345.tmp", "tsy2.tmp.dat", "tsy3.tmp"}));
}

TEST(DataPaths, StartUpRemovesWhatAKilledSaveLeftInTheDataFolder) {
    TWin32FileSystem files;
    files.CreateDirectories(DataFolder());
    const std::string leftover = DataFolder() + "tsyFE.tmp";
    files.WriteFileAtomic(leftover, "[001]\r\nname=Half");
    ASSERT_TRUE(files.FileExists(leftover));
    ResolveDataPaths(files);
    EXPECT_FALSE(files.FileExists(leftover));
}

TEST(DataPaths, FollowTheApplicationDataFolderAndTheExecutable) {
    char appData[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, TRUE));
    std::string expected = appData;
    if (expected.back() != '\\')
        expected += '\\';
    EXPECT_EQ(DataFolder(), expected + "Orvelle\\Tessaly\\");

    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    const std::string program = ProgramFolder();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.back(), '\\');
    EXPECT_EQ(std::string(module).rfind(program, 0), 0u);
    EXPECT_EQ(CollectionsFileName(), "tessaly_win32_tests.dat");
}

} // namespace
} // namespace tsy::win32
