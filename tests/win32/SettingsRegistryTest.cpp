#include "settings/SettingsService.h"

#include "support/win32/RegistryStore.h"

#include "FakeBrowserInfo.h"
#include "RecordingMessageBoxes.h"
#include "SettingsCases.h"

#include <gtest/gtest.h>

namespace tsy::win32 {
namespace {

class NoCatalogue : public ICatalogueStore {
public:
    void Load() override {}
    void CheckIntegrity() override {}
    void Save() override {}
};

DWORD TypeOf(const char* name) {
    DWORD type = REG_NONE;
    ::RegGetValueA(HKEY_CURRENT_USER, "SOFTWARE\\Orvelle\\Tessaly", name, RRF_RT_ANY, &type, nullptr,
                   nullptr);
    return type;
}

// The options key of this prefix is removed before and after.
class SettingsRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { Remove(); }
    void TearDown() override { Remove(); }
    static void Remove() { ::RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Orvelle"); }

    TRegistryStore store;
    NoCatalogue catalogue;
    fakes::FakeBrowserInfo browsers;
    fakes::RecordingMessageBoxes boxes;
};

TEST_F(SettingsRegistryTest, SavedOptionsHaveTheRegistryTypesAndLoadBack) {
    TAppSettings saved;
    saved.Search = "tides";
    saved.Browser = bkFirefox;
    saved.HotkeyKey = 0x70;
    saved.SliderY = -1;
    TSettingsService(store, catalogue, browsers, boxes, saved).SaveSettings(false);

    EXPECT_EQ(TypeOf("Search"), DWORD(REG_SZ));
    EXPECT_EQ(TypeOf("BannerID"), DWORD(REG_SZ));
    EXPECT_EQ(TypeOf("AutoComplete"), DWORD(REG_DWORD));
    EXPECT_EQ(TypeOf("Browser"), DWORD(REG_DWORD));
    EXPECT_EQ(TypeOf("Hotkey.Key"), DWORD(REG_DWORD));
    EXPECT_EQ(TypeOf("Slider.Y"), DWORD(REG_DWORD));

    TAppSettings loaded;
    TSettingsService(store, catalogue, browsers, boxes, loaded).LoadSettings(true, false);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(loaded.Search, "tides");
    EXPECT_EQ(loaded.Browser, bkFirefox);
    EXPECT_EQ(loaded.HotkeyKey, 0x70);
    EXPECT_EQ(loaded.SliderY, -1);
}

TEST_F(SettingsRegistryTest, MistypedValuesKeepTheCurrentOptions) {
    UniqueRegKey key;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Orvelle\\Tessaly", 0, nullptr, 0, KEY_WRITE,
                                nullptr, key.Put(), nullptr),
              ERROR_SUCCESS);
    auto setText = [&](const char* name, const char* text) {
        ::RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                         DWORD(lstrlenA(text) + 1));
    };
    setText("Hotkey.Key", "112");
    setText("UseHotkey", "0");
    const DWORD number = 2;
    ::RegSetValueExA(key.Get(), "Collection", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                     sizeof number);
    ::RegSetValueExA(key.Get(), "Browser", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                     sizeof number);
    const BYTE shortNumber[2] = {7, 0};
    ::RegSetValueExA(key.Get(), "Slider.Y", 0, REG_BINARY, shortNumber, sizeof shortNumber);
    key.Reset();

    TAppSettings settings;
    TSettingsService(store, catalogue, browsers, boxes, settings).LoadSettings(false, false);
    EXPECT_EQ(settings.HotkeyKey, 81);
    EXPECT_TRUE(settings.UseHotkey);
    EXPECT_EQ(settings.Collection, "Search");
    EXPECT_EQ(settings.SliderY, 200);
    EXPECT_EQ(settings.Browser, bkOpera);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SettingsRegistryTest, AnEmptyRegistryGivesTheFirstRunNotice) {
    browsers.Install(bkInternetExplorer, 6, 0);
    TAppSettings settings;
    TSettingsService(store, catalogue, browsers, boxes, settings).LoadSettings(true, false);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(
        boxes.shown[0].text.rfind("Tessaly is set to use Internet Explorer 6.0.\n\r\n\rWe recommend", 0), 0u);
    EXPECT_EQ(TypeOf("Search"), DWORD(REG_NONE)) << "loading creates nothing";
}

TEST_F(SettingsRegistryTest, HostileValuesLoadAsTheCurrentOptionOrClampedAndSaveNormally) {
    auto cases = fakes::HostileSettingCases();
    ASSERT_FALSE(cases.empty());
    for (const auto& c : cases) {
        Remove();
        UniqueRegKey key;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Orvelle\\Tessaly", 0, nullptr, 0, KEY_WRITE,
                                    nullptr, key.Put(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegSetValueExA(key.Get(), c.name.c_str(), 0, DWORD(c.stored.type), c.stored.data.data(),
                                   DWORD(c.stored.data.size())),
                  ERROR_SUCCESS)
            << c.label;
        key.Reset();

        TAppSettings settings = fakes::SettingsBeforeCases();
        TSettingsService(store, catalogue, browsers, boxes, settings).LoadSettings(false, true);
        EXPECT_TRUE(settings == fakes::ExpectedAfter(c)) << c.label << ": " << fakes::Describe(settings);

        TSettingsService(store, catalogue, browsers, boxes, settings).SaveSettings(false);
        TAppSettings reloaded;
        TSettingsService(store, catalogue, browsers, boxes, reloaded).LoadSettings(false, true);
        EXPECT_TRUE(reloaded == settings) << c.label << ": " << fakes::Describe(reloaded);
    }
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
} // namespace tsy::win32
