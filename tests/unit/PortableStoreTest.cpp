#include "settings/PortableStore.h"

#include <gtest/gtest.h>

#include "FakeKeyValueStore.h"
#include "MemoryFileSystem.h"
#include "WideCaseCollation.h"
#include "app/PortableMode.h"
#include "controls/SearchHistory.h"
#include "settings/SettingsStore.h"
#include "support/AnsiCodePage.h"

namespace tsy {
namespace {

constexpr const char* kFile = "C:\\Tessaly\\Data\\settings.ini";

struct PortableStoreTest : ::testing::Test {
    fakes::FakeKeyValueStore registry;
    fakes::MemoryFileSystem files;
    TAnsiCodePage codePage;

    // Start-up has made the data folder.
    PortableStoreTest() { files.AddDirectory("C:\\Tessaly\\Data"); }

    std::unique_ptr<TPortableStore> Start() {
        return std::make_unique<TPortableStore>(registry, files, kFile, codePage);
    }
    std::string File() const { return files.Content(kFile).value_or(""); }
};

TEST_F(PortableStoreTest, EveryKindOfValueComesBackFromTheFileAfterARestart) {
    const std::vector<std::uint8_t> record{0x58, 0x02, 0, 0, 0xFF};
    {
        auto store = Start();
        TSettings settings(*store);
        ASSERT_TRUE(settings.OpenForWrite(kSettingsRoot, kSettingsPath));
        settings.WriteString("Search", "  caf\xE9 \"x\" ");
        settings.WriteString("Collection", "'News'");
        settings.WriteInteger("Slider.X", -40);
        settings.WriteBool("AutoClose", true);
        settings.WriteWideString("Unicode", u"\u65E5\u672C");
        ASSERT_TRUE(settings.OpenSubKey("PUI\\Dialogs\\MainForm", true));
        settings.WriteBinary("", record);
        settings.WriteInteger("pcMain", 2);
        auto key = store->Open(kSettingsRoot, kSettingsPath, true);
        key->WriteWide("SearchMRU", RawValue{ValueType::MultiString, {'b', 0, 0, 0, 'a', 0, 0, 0, 0, 0}});
    }
    // The format a user may read and edit by hand.
    const std::string text = File();
    EXPECT_NE(text.find("[Tessaly]\r\nSearch=\"  caf\xC3\xA9 \"x\" \"\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Slider.X=-40\r\nAutoClose=1\r\nUnicode=\xE6\x97\xA5\xE6\x9C\xAC\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("SearchMRU.0=b\r\nSearchMRU.1=a\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[PUI\\Dialogs\\MainForm]\r\n@=58020000FF\r\npcMain=2\r\n"), std::string::npos)
        << text;

    auto store = Start();
    TSettings settings(*store);
    ASSERT_TRUE(settings.OpenForRead(kSettingsRoot, kSettingsPath));
    EXPECT_EQ(settings.ReadStringDef("Search", ""), "  caf\xE9 \"x\" ");
    EXPECT_EQ(settings.ReadStringDef("Collection", ""), "'News'");
    EXPECT_EQ(settings.ReadIntegerDef("Slider.X", 0), -40);
    EXPECT_TRUE(settings.ReadBoolDef("AutoClose", false));
    EXPECT_EQ(settings.ReadWideStringDef("Unicode", u""), u"\u65E5\u672C");
    // Beyond the code page, as the narrow registry calls give it.
    EXPECT_EQ(settings.ReadStringDef("Unicode", ""), "??");
    // A text is not a number, and a number reads as text when a text is asked for.
    EXPECT_EQ(settings.ReadIntegerDef("Search", 7), 7);
    EXPECT_EQ(settings.ReadStringDef("Slider.X", ""), "-40");
    const fakes::WideCaseCollation collation;
    TSearchHistory history(collation);
    LoadSearchHistory(*store, kSettingsRoot, kSettingsPath, "SearchMRU", codePage, history);
    EXPECT_EQ(history.Entries(), (std::vector<std::u16string>{u"b", u"a"}));
    ASSERT_TRUE(settings.OpenSubKey("PUI\\Dialogs\\MainForm", false));
    EXPECT_EQ(settings.ReadBinary(""), record);
    EXPECT_EQ(settings.ReadIntegerDef("pcMain", 0), 2);
}

TEST_F(PortableStoreTest, OnlyTheSettingsKeyOfTheUserGoesToTheFile) {
    auto store = Start();
    auto run = store->Open(RootKey::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", true);
    ASSERT_TRUE(run);
    WriteString(*run, "TSY", "\"C:\\Tessaly\\Tessaly.exe\" /minimized");
    EXPECT_EQ(
        registry.String(RootKey::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "TSY"),
        "\"C:\\Tessaly\\Tessaly.exe\" /minimized");
    // A key whose name merely begins like the settings key is another key.
    auto other = store->Open(RootKey::CurrentUser, "SOFTWARE\\Orvelle\\TessalyOld", true);
    WriteDword(*other, "X", 1);
    EXPECT_TRUE(registry.Exists(RootKey::CurrentUser, "SOFTWARE\\Orvelle\\TessalyOld"));
    registry.SetString(RootKey::LocalMachine, "SOFTWARE\\Clients\\StartMenuInternet", "", "Firefox");
    auto machine = store->Open(RootKey::LocalMachine, "SOFTWARE\\Clients\\StartMenuInternet", false);
    ASSERT_TRUE(machine);
    EXPECT_EQ(ReadString(*machine, ""), "Firefox");

    auto own = store->Open(RootKey::CurrentUser, "\\software\\orvelle\\tessaly", true);
    WriteDword(*own, "Browser", 1);
    EXPECT_FALSE(registry.Exists(RootKey::CurrentUser, "SOFTWARE\\Orvelle\\Tessaly"));
    EXPECT_EQ(File(), "[Tessaly]\r\nBrowser=1\r\n");
}

TEST_F(PortableStoreTest, KeysExistAsInTheRegistryAndUnchangedValuesWriteNothing) {
    auto store = Start();
    EXPECT_FALSE(store->Open(kSettingsRoot, kSettingsPath, false));
    auto form = store->Open(kSettingsRoot, "\\SOFTWARE\\Orvelle\\Tessaly\\PUI\\Dialogs\\MainForm", true);
    ASSERT_TRUE(form);
    EXPECT_EQ(files.writeCount, 0);
    WriteDword(*form, "pcMain", 1);
    WriteDword(*form, "pcMain", 1);
    EXPECT_EQ(files.writeCount, 1);
    // The parents of a key with values exist, as the registry creates them.
    auto own = store->Open(kSettingsRoot, kSettingsPath, false);
    ASSERT_TRUE(own);
    EXPECT_TRUE(own->HasSubKey("PUI\\Dialogs"));
    EXPECT_FALSE(own->HasSubKey("PUI\\Dial"));

    // A shorter history leaves no stale entries behind; deleting takes every entry.
    own->Write("SearchMRU", RawValue{ValueType::MultiString, {'a', 0, 'b', 0, 'c', 0, 0}});
    own->Write("SearchMRU", RawValue{ValueType::MultiString, {'z', 0, 0}});
    EXPECT_EQ(File(), "[PUI\\Dialogs\\MainForm]\r\npcMain=1\r\n[Tessaly]\r\nSearchMRU.0=z\r\n");
    EXPECT_TRUE(own->DeleteValue("SearchMRU"));
    EXPECT_FALSE(own->DeleteValue("SearchMRU"));
    EXPECT_EQ(File(), "[PUI\\Dialogs\\MainForm]\r\npcMain=1\r\n");
}

TEST_F(PortableStoreTest, AFileThatCannotBeReplacedFailsTheWriteAsTheRegistryWould) {
    files.AddFile(kFile, "[Tessaly]\r\nBrowser=1\r\n");
    auto store = Start();
    files.failWrites = true;
    auto own = store->Open(kSettingsRoot, kSettingsPath, false);
    ASSERT_TRUE(own);
    EXPECT_THROW(WriteDword(*own, "Browser", 2), ERegistryError);
    EXPECT_EQ(File(), "[Tessaly]\r\nBrowser=1\r\n");
}

TEST(PortableMode, EachFolderHasItsOwnMutexName) {
    // Reference values of the 32-bit FNV-1a hash.
    EXPECT_EQ(Fnv1a32(""), 0x811C9DC5u);
    EXPECT_EQ(Fnv1a32("a"), 0xE40C292Cu);
    EXPECT_EQ(PortableMutexName("a"), "Kestrova/Tessaly/E40C292C");
    EXPECT_NE(PortableMutexName("C:\\ONE"), PortableMutexName("C:\\TWO"));
    EXPECT_EQ(CannotWriteMessage("E:\\Tessaly\\Data\\"),
              "Tessaly cannot write to E:\\Tessaly\\Data. Your changes will not be saved.");
}

} // namespace
} // namespace tsy
