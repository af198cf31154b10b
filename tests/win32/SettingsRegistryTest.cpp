#include "settings/SettingsService.h"

#include "support/win32/RegistryStore.h"
#include "support/win32/UniqueHandle.h"

#include "FakeBrowserInfo.h"
#include "RecordingMessageBoxes.h"
#include "SettingsCases.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <variant>

namespace tsy::win32 {
namespace {

class NoCatalogue : public ICatalogueStore {
public:
    void Load() override {}
    bool IsRead() const override { return true; }
    void CheckIntegrity() override {}
    void Save() override {}
};

DWORD TypeOf(const char* name) {
    DWORD type = REG_NONE;
    ::RegGetValueA(HKEY_CURRENT_USER, "SOFTWARE\\Orvelle\\Tessaly", name, RRF_RT_ANY, &type, nullptr,
                   nullptr);
    return type;
}

// Two complete option sets that differ from each other and, where a value can, from the
// defaults: a value a save lost would read as neither.
TAppSettings OptionSet(bool second) {
    TAppSettings s;
    s.Search = second ? u"second search" : u"first search";
    s.Collection = second ? "News" : "Shops";
    s.AutoClose = second;
    s.AlwaysOnTop = !second;
    s.AutoComplete = second;
    s.Browser = second ? bkOpera : bkFirefox;
    s.BannerID = second ? "b2" : "b1";
    s.NumberOfItems = !second;
    s.MinimizeToTray = second;
    s.MinimizeOnClose = !second;
    s.HotkeyMod = second ? 3 : 6;
    s.HotkeyKey = second ? 0x71 : 0x72;
    s.UseHotkey = second;
    s.SliderEdge = second ? 2 : 3;
    s.SliderX = second ? 40 : 50;
    s.SliderY = second ? 400 : 500;
    return s;
}

// Names each option of `loaded` that is neither the first set's nor the second's.
std::string OptionsOfNeitherSet(const TAppSettings& loaded) {
    const TAppSettings first = OptionSet(false), second = OptionSet(true);
    std::string wrong;
    for (const TSettingDef& def : SettingsTable())
        std::visit(
            [&](auto member) {
                if (!(loaded.*member == first.*member) && !(loaded.*member == second.*member))
                    wrong += std::string(def.Name) + " ";
            },
            def.Member);
    return wrong;
}

std::string StoredSearch() {
    char text[64] = {};
    DWORD size = sizeof text;
    if (::RegGetValueA(HKEY_CURRENT_USER, "SOFTWARE\\Orvelle\\Tessaly", "Search", RRF_RT_REG_SZ, nullptr,
                       text, &size) != ERROR_SUCCESS)
        return {};
    return text;
}

constexpr const char* kSaveLoopVariable = "TESSALY_TEST_SAVE_LOOP";

// The options key of this prefix is removed before and after.
class SettingsRegistryTest : public ::testing::Test {
protected:
    // A child that saves in a loop leaves the key to its parent.
    void SetUp() override {
        if (!std::getenv(kSaveLoopVariable))
            Remove();
    }
    void TearDown() override {
        if (!std::getenv(kSaveLoopVariable))
            Remove();
    }
    static void Remove() { ::RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Orvelle"); }

    TRegistryStore store;
    NoCatalogue catalogue;
    fakes::FakeBrowserInfo browsers;
    fakes::RecordingMessageBoxes boxes;
};

TEST_F(SettingsRegistryTest, SavedOptionsHaveTheRegistryTypesAndLoadBack) {
    TAppSettings saved;
    saved.Search = u"tides \u00e9\u6771";
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
    EXPECT_EQ(loaded.Search, u"tides \u00e9\u6771");
    EXPECT_EQ(StoredSearch(), "tides \xe9?") << "older copies read the code-page form";
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

TEST_F(SettingsRegistryTest, AProcessKilledWhileSavingLeavesEveryOptionOldOrNew) {
    if (std::getenv(kSaveLoopVariable)) {
        // The child: saves both sets in turn until it is killed (a minute at most).
        const ULONGLONG end = GetTickCount64() + 60000;
        for (bool second = true; GetTickCount64() < end; second = !second) {
            TAppSettings settings = OptionSet(second);
            TSettingsService(store, catalogue, browsers, boxes, settings).SaveSettings(false);
        }
        return;
    }
    TAppSettings first = OptionSet(false);
    TSettingsService(store, catalogue, browsers, boxes, first).SaveSettings(false);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine =
        std::string("\"") + self +
        "\" --gtest_filter=SettingsRegistryTest.AProcessKilledWhileSavingLeavesEveryOptionOldOrNew";
    ::SetEnvironmentVariableA(kSaveLoopVariable, "1");
    // Each round kills the child at another point: after one more change of the first value
    // written, while it goes on with the others.
    for (int round = 1; round <= 4; ++round) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION child{};
        ASSERT_TRUE(::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                                     nullptr, nullptr, &startup, &child));
        UniqueKernelHandle process(child.hProcess), thread(child.hThread);
        int changes = 0;
        std::string seen = StoredSearch();
        const ULONGLONG deadline = GetTickCount64() + 30000;
        while (changes < round && GetTickCount64() < deadline &&
               WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT) {
            const std::string now = StoredSearch();
            if (now != seen) {
                seen = now;
                ++changes;
            }
        }
        ::TerminateProcess(process.Get(), 9);
        ASSERT_EQ(WaitForSingleObject(process.Get(), 10000), WAIT_OBJECT_0);
        ASSERT_EQ(changes, round) << "the child saved too little before the deadline";

        TAppSettings loaded;
        TSettingsService(store, catalogue, browsers, boxes, loaded).LoadSettings(false, true);
        EXPECT_EQ(OptionsOfNeitherSet(loaded), "") << "round " << round;
    }
    ::SetEnvironmentVariableA(kSaveLoopVariable, nullptr);
    // The next save goes through and loads back whole.
    TAppSettings saved = OptionSet(true);
    TSettingsService(store, catalogue, browsers, boxes, saved).SaveSettings(false);
    TAppSettings reloaded;
    TSettingsService(store, catalogue, browsers, boxes, reloaded).LoadSettings(false, true);
    EXPECT_TRUE(reloaded == saved);
}

} // namespace
} // namespace tsy::win32
