#include "settings/Settings.h"

#include "FakeKeyValueStore.h"
#include "SettingsCases.h"

#include <gtest/gtest.h>

#include <cctype>

namespace tsy {
namespace {

using fakes::FakeKeyValueStore;

class SettingsStoreTest : public ::testing::Test {
protected:
    FakeKeyValueStore registry;
    TSettings store{registry};
};

TEST_F(SettingsStoreTest, OpenForReadNeverCreatesAndOpenForWriteCreatesParents) {
    EXPECT_FALSE(store.OpenForRead(kSettingsRoot, kSettingsPath));
    EXPECT_FALSE(registry.Exists(kSettingsRoot, kSettingsPath));
    EXPECT_FALSE(store.IsOpen());

    ASSERT_TRUE(store.OpenForWrite(kSettingsRoot, kSettingsPath));
    EXPECT_TRUE(registry.Exists(RootKey::CurrentUser, "SOFTWARE\\Orvelle"));
    EXPECT_TRUE(store.OpenForRead(kSettingsRoot, kSettingsPath));
}

TEST_F(SettingsStoreTest, ReopeningClosesTheEarlierKey) {
    registry.SetString(kSettingsRoot, "A", "Name", "in a");
    registry.At(kSettingsRoot, "B");
    ASSERT_TRUE(store.OpenForRead(kSettingsRoot, "A"));
    ASSERT_TRUE(store.OpenForRead(kSettingsRoot, "B"));
    EXPECT_EQ(store.ReadStringDef("Name", "none"), "none");
    EXPECT_FALSE(store.OpenForRead(kSettingsRoot, "C"));
    EXPECT_FALSE(store.IsOpen());
    EXPECT_THROW(store.WriteString("Name", "x"), ERegistryError);
}

TEST_F(SettingsStoreTest, TypedReadsFallBackForMissingAndMistypedValues) {
    registry.SetDword(kSettingsRoot, kSettingsPath, "Number", 0xFFFFFFFEu);
    registry.SetString(kSettingsRoot, kSettingsPath, "Text", "hello");
    registry.SetDword(kSettingsRoot, kSettingsPath, "Two", 2);
    registry.SetDword(kSettingsRoot, kSettingsPath, "Zero", 0);
    registry.At(kSettingsRoot, kSettingsPath).values["short"] = RawValue{ValueType::Dword, {1, 0}};
    registry.At(kSettingsRoot, kSettingsPath).values["blob"] = RawValue{ValueType::Binary, {1, 0, 0, 0}};
    ASSERT_TRUE(store.OpenForRead(kSettingsRoot, kSettingsPath));

    EXPECT_EQ(store.ReadIntegerDef("Number", 5), -2);
    EXPECT_EQ(store.ReadIntegerDef("Missing", 5), 5);
    EXPECT_EQ(store.ReadIntegerDef("Text", 5), 5);
    EXPECT_EQ(store.ReadIntegerDef("Short", 5), 5);
    EXPECT_EQ(store.ReadIntegerDef("Blob", 5), 5);

    EXPECT_TRUE(store.ReadBoolDef("Two", false));
    EXPECT_FALSE(store.ReadBoolDef("Zero", true));
    EXPECT_TRUE(store.ReadBoolDef("Text", true));
    EXPECT_FALSE(store.ReadBoolDef("Missing", false));

    EXPECT_EQ(store.ReadStringDef("text", "d"), "hello");
    EXPECT_EQ(store.ReadStringDef("Number", "d"), "d");
    EXPECT_EQ(store.ReadStringDef("Missing", "d"), "d");

    EXPECT_EQ(store.ReadBinary("Blob"), (std::vector<std::uint8_t>{1, 0, 0, 0}));
    EXPECT_FALSE(store.ReadBinary("Number"));
}

TEST_F(SettingsStoreTest, ReadsWithoutAnOpenKeyGiveTheDefault) {
    EXPECT_EQ(store.ReadIntegerDef("X", 3), 3);
    EXPECT_EQ(store.ReadStringDef("X", "three"), "three");
    EXPECT_TRUE(store.ReadBoolDef("X", true));
    EXPECT_FALSE(store.ValueExists("X"));
}

TEST_F(SettingsStoreTest, WritesUseTheRegistryTypes) {
    ASSERT_TRUE(store.OpenForWrite(kSettingsRoot, kSettingsPath));
    store.WriteBool("On", true);
    store.WriteBool("Off", false);
    store.WriteInteger("Negative", -1);
    store.WriteString("Text", "abc");
    EXPECT_EQ(registry.Dword(kSettingsRoot, kSettingsPath, "On"), 1u);
    EXPECT_EQ(registry.Dword(kSettingsRoot, kSettingsPath, "Off"), 0u);
    EXPECT_EQ(registry.Dword(kSettingsRoot, kSettingsPath, "Negative"), 0xFFFFFFFFu);
    EXPECT_EQ(registry.String(kSettingsRoot, kSettingsPath, "Text"), "abc");
    EXPECT_TRUE(store.DeleteValue("Text"));
    EXPECT_FALSE(store.DeleteValue("Text"));
}

TEST_F(SettingsStoreTest, SubKeysOpenBelowTheCurrentKey) {
    ASSERT_TRUE(store.OpenForWrite(kSettingsRoot, kSettingsPath));
    EXPECT_FALSE(store.OpenSubKey("Deep\\Below", false));
    EXPECT_FALSE(store.IsOpen());
    EXPECT_FALSE(store.OpenSubKey("Deep", true)) << "nothing is open to go below";
    ASSERT_TRUE(store.OpenForWrite(kSettingsRoot, kSettingsPath));
    ASSERT_TRUE(store.OpenSubKey("PUI\\Dialogs\\MainForm", true));
    store.WriteInteger("X", 1);
    EXPECT_EQ(registry.Dword(kSettingsRoot, "Software\\Orvelle\\Tessaly\\PUI\\Dialogs\\MainForm", "X"), 1u);
}

TEST_F(SettingsStoreTest, WriteFailuresReachTheCaller) {
    ASSERT_TRUE(store.OpenForWrite(kSettingsRoot, kSettingsPath));
    registry.failWrites = true;
    EXPECT_THROW(store.WriteInteger("X", 1), ERegistryError);
}

TEST(SettingsTable, LoadsInTableOrderAndSavesHotkeyKeyBeforeMod) {
    std::vector<std::string> load;
    for (const auto& def : SettingsTable())
        load.push_back(def.Name);
    EXPECT_EQ(load, (std::vector<std::string>{"Search", "Collection", "AutoClose", "AlwaysOnTop",
                                              "AutoComplete", "Browser", "BannerID", "NumberOfItems",
                                              "MinimizeToTray", "MinimizeOnClose", "Hotkey.Mod", "Hotkey.Key",
                                              "UseHotkey", "Slider.Edge", "Slider.X", "Slider.Y"}));
    std::vector<std::string> save;
    for (const auto* def : SettingsSaveOrder())
        save.push_back(def->Name);
    std::vector<std::string> expected = load;
    std::swap(expected[10], expected[11]);
    EXPECT_EQ(save, expected);
}

TEST(SettingsTable, NewSettingsStartAtTheFirstStartDefaults) {
    const TAppSettings settings;
    EXPECT_EQ(settings.Search, u"");
    EXPECT_EQ(settings.Collection, "Search");
    EXPECT_FALSE(settings.AutoClose);
    EXPECT_FALSE(settings.AlwaysOnTop);
    EXPECT_TRUE(settings.AutoComplete);
    EXPECT_EQ(settings.Browser, bkInternetExplorer);
    EXPECT_EQ(settings.BannerID, "");
    EXPECT_FALSE(settings.NumberOfItems);
    EXPECT_TRUE(settings.MinimizeToTray);
    EXPECT_TRUE(settings.MinimizeOnClose);
    EXPECT_EQ(settings.HotkeyMod, 8) << "Win";
    EXPECT_EQ(settings.HotkeyKey, 81) << "Q";
    EXPECT_TRUE(settings.UseHotkey);
    EXPECT_EQ(settings.SliderEdge, 0);
    EXPECT_EQ(settings.SliderX, 0);
    EXPECT_EQ(settings.SliderY, 200);
}

TEST(SettingsTable, MissingValuesKeepTheCurrentOptionsAndDefaultsSaveWithTheirTypes) {
    fakes::FakeKeyValueStore registry;
    registry.At(kSettingsRoot, kSettingsPath);
    TSettings store(registry);
    ASSERT_TRUE(store.OpenForRead(kSettingsRoot, kSettingsPath));
    TAppSettings loaded;
    loaded.HotkeyKey = 1;
    loaded.Collection = "Other";
    ReadSettings(store, loaded);
    EXPECT_EQ(loaded.HotkeyKey, 1) << "a missing value keeps the current one, not the default";
    EXPECT_EQ(loaded.Collection, "Other");

    // Every row's default has the kind of its field, so a save of the defaults writes them back.
    const TAppSettings defaults;
    ASSERT_TRUE(store.OpenForWrite(kSettingsRoot, kSettingsPath));
    WriteSettings(store, defaults);
    for (const auto& def : SettingsTable()) {
        if (auto* text = std::get_if<const char*>(&def.Default))
            EXPECT_EQ(store.ReadStringDef(def.Name, "?"), *text) << def.Name;
        else if (auto* flag = std::get_if<bool>(&def.Default))
            EXPECT_EQ(store.ReadIntegerDef(def.Name, -1), *flag ? 1 : 0) << def.Name;
        else
            EXPECT_EQ(store.ReadIntegerDef(def.Name, -1), std::get<std::int32_t>(def.Default)) << def.Name;
    }
}

TEST(SettingsTable, HostileStoredValuesReadAsTheCurrentOptionOrClamped) {
    auto cases = fakes::HostileSettingCases();
    ASSERT_GT(cases.size(), 16u * 8);
    for (const auto& c : cases) {
        fakes::FakeKeyValueStore registry;
        std::string lowered = c.name;
        for (auto& ch : lowered)
            ch = char(std::tolower(static_cast<unsigned char>(ch)));
        registry.At(kSettingsRoot, kSettingsPath).values[lowered] = c.stored;
        TSettings store(registry);
        ASSERT_TRUE(store.OpenForRead(kSettingsRoot, kSettingsPath));
        TAppSettings loaded = fakes::SettingsBeforeCases();
        ReadSettings(store, loaded);
        EXPECT_TRUE(loaded == fakes::ExpectedAfter(c)) << c.label << ": " << fakes::Describe(loaded);

        // What was read saves back as a value of its own type that loads unchanged.
        ASSERT_TRUE(store.OpenForWrite(kSettingsRoot, kSettingsPath));
        WriteSettings(store, loaded);
        TAppSettings reloaded;
        ReadSettings(store, reloaded);
        EXPECT_TRUE(reloaded == loaded) << c.label;
    }
}

TEST(SettingsTable, ASaveCutShortAtAnyValueLeavesEveryOptionOldOrNew) {
    const TAppSettings before = fakes::SettingsBeforeCases();
    const TAppSettings after;
    for (int cut = 0; cut < int(SettingsTable().size()); ++cut) {
        fakes::FakeKeyValueStore registry;
        TSettings store(registry);
        ASSERT_TRUE(store.OpenForWrite(kSettingsRoot, kSettingsPath));
        WriteSettings(store, before);
        registry.failAfterWrites = registry.writeCount + cut;
        EXPECT_THROW(WriteSettings(store, after), ERegistryError) << "cut after " << cut;

        TAppSettings loaded = after;
        loaded.Search = u"neither";
        ReadSettings(store, loaded);
        int changed = 0;
        for (const auto& def : SettingsTable()) {
            std::visit(
                [&](auto member) {
                    EXPECT_TRUE(loaded.*member == before.*member || loaded.*member == after.*member)
                        << def.Name << " cut after " << cut;
                    changed += loaded.*member == after.*member;
                },
                def.Member);
        }
        EXPECT_EQ(changed, cut);
        // The next save goes through.
        registry.failAfterWrites = -1;
        WriteSettings(store, after);
        ReadSettings(store, loaded);
        EXPECT_TRUE(loaded == after);
    }
}

} // namespace
} // namespace tsy
