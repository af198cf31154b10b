#include "support/win32/Win32FileSystem.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/win32/DataPaths.h"
#include "support/AnsiCollation.h"
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
    TTarget site{0, "Site", "http://s/?q=%s", "http://s/", 0, false};
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
