#include "settings/SettingsService.h"

#include "FakeBrowserInfo.h"
#include "FakeKeyValueStore.h"
#include "RecordingMessageBoxes.h"
#include "support/FileSystem.h"

#include <gtest/gtest.h>

namespace tsy {
namespace {

using fakes::FakeBrowserInfo;
using fakes::FakeKeyValueStore;
using fakes::RecordingMessageBoxes;
using Kind = RecordingMessageBoxes::Kind;

class RecordingCatalogue : public ICatalogueStore {
public:
    void Load() override {
        calls.push_back("Load");
        read = !loadError;
        if (loadError)
            throw EFileError(*loadError);
    }
    bool IsRead() const override { return read; }
    void CheckIntegrity() override { calls.push_back("CheckIntegrity"); }
    void Save() override {
        calls.push_back("Save");
        if (failSave)
            throw std::runtime_error("Cannot write targets.dat");
    }
    std::vector<std::string> calls;
    bool failSave = false;
    bool read = false;
    std::optional<std::string> loadError;
};

class SettingsServiceTest : public ::testing::Test {
protected:
    // Start-up sets the Browser default to the detected default browser.
    void StartWithDefault(TBrowserKind kind) {
        browsers.defaultBrowser = kind;
        settings.Browser = browsers.DetectDefaultBrowser();
    }
    void SetValue(std::string_view name, std::uint32_t number) {
        registry.SetDword(kSettingsRoot, kSettingsPath, name, number);
    }
    void SetText(std::string_view name, std::string_view text) {
        registry.SetString(kSettingsRoot, kSettingsPath, name, text);
    }

    FakeKeyValueStore registry;
    RecordingCatalogue catalogue;
    FakeBrowserInfo browsers;
    RecordingMessageBoxes boxes;
    TAppSettings settings;
    TSettingsService service{registry, catalogue, browsers, boxes, settings};
};

TEST_F(SettingsServiceTest, FirstStartWithOnlyInternetExplorer6AdvisesTabbedBrowsing) {
    browsers.Install(bkInternetExplorer, 6, 0);
    StartWithDefault(bkInternetExplorer);
    service.LoadSettings(true, false);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].kind, Kind::Information);
    EXPECT_EQ(boxes.shown[0].text,
              "Tessaly is set to use Internet Explorer 6.0.\n\r\n\rWe recommend to use tabbed "
              "browsers with Tessaly, so we advise you to download and install Internet "
              "Explorer 7 for better experience.");
}

TEST_F(SettingsServiceTest, FirstStartWithFirefoxDefaultAndInternetExplorerInstalledMentionsBoth) {
    browsers.Install(bkInternetExplorer, 6, 0);
    browsers.Install(bkFirefox, 2, 11);
    StartWithDefault(bkFirefox);
    service.LoadSettings(true, false);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(
        boxes.shown[0].text,
        "Tessaly is set to use FireFox 2.11.\n\r\n\rWe found multiple browsers installed on your PC.\n\rTo "
        "change the browser used with Tessaly click on the Customize button, select the Settings tab and "
        "select the browser you prefer.");
    EXPECT_EQ(settings.Browser, bkFirefox) << "the advice never changes the setting";
}

TEST_F(SettingsServiceTest, OldInternetExplorerAmongOthersGetsBothAdvices) {
    browsers.Install(bkInternetExplorer, 5, 5);
    browsers.Install(bkOpera, 9, 0);
    StartWithDefault(bkInternetExplorer);
    service.LoadSettings(false, false);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, std::string("Tessaly is set to use Internet Explorer 5.5.") +
                                       kAdviceTabbedBrowser + kAdviceMultipleBrowsers);
}

TEST_F(SettingsServiceTest, FirstStartWithOnlyInternetExplorer7ShowsNothing) {
    browsers.Install(bkInternetExplorer, 7, 0);
    StartWithDefault(bkInternetExplorer);
    service.LoadSettings(true, false);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(browsers.detectCalls, 1);
}

TEST_F(SettingsServiceTest, DefaultBrowserMissingFromTheInstalledSetReportsADetectionProblem) {
    browsers.Install(bkInternetExplorer, 8, 0);
    browsers.Install(bkOpera, 9, 64);
    browsers.installed = 1u << bkInternetExplorer;
    StartWithDefault(bkOpera);
    service.LoadSettings(true, false);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              std::string("Tessaly is set to use Opera 9.64.") + kAdviceDetectionProblem);
}

TEST_F(SettingsServiceTest, TheSystemsDefaultBrowserNeedsNoDetectionAndNoTabAdvice) {
    StartWithDefault(bkDefaultBrowser);
    service.LoadSettings(false, false);
    EXPECT_TRUE(boxes.shown.empty());
    browsers.Install(bkChrome, 120, 0);
    service.LoadSettings(false, false);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              std::string("Tessaly is set to use Default browser.") + kAdviceMultipleBrowsers);
}

TEST_F(SettingsServiceTest, ABrowserValueInTheRegistrySilencesTheAdviceWhateverItsValue) {
    browsers.Install(bkInternetExplorer, 6, 0);
    StartWithDefault(bkInternetExplorer);
    for (std::uint32_t stored : {0u, 1u, 7u}) {
        SetValue("Browser", stored);
        service.LoadSettings(true, false);
        EXPECT_EQ(settings.Browser, stored);
    }
    SetText("Browser", "Opera");
    service.LoadSettings(true, false);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(browsers.detectCalls, 0);
}

TEST_F(SettingsServiceTest, AMissingKeyCountsAsAMissingBrowserValue) {
    registry.failOpen = true;
    browsers.Install(bkInternetExplorer, 6, 0);
    StartWithDefault(bkInternetExplorer);
    service.LoadSettings(false, false);
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(settings.Collection, "Search");
}

TEST_F(SettingsServiceTest, QuietLoadNeverShowsTheAdvice) {
    browsers.Install(bkInternetExplorer, 6, 0);
    StartWithDefault(bkInternetExplorer);
    service.LoadSettings(true, true);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(browsers.detectCalls, 0);
    EXPECT_EQ(catalogue.calls, (std::vector<std::string>{"Load", "CheckIntegrity"}));
}

TEST_F(SettingsServiceTest, FailingDetectionReachesTheCallerAfterTheCatalogueIsLoaded) {
    browsers.detectionError = "Unable to detect if browsers are installed.";
    SetText("Search", "kept");
    try {
        service.LoadSettings(true, false);
        FAIL() << "the detection error must reach the caller";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Unable to detect if browsers are installed.");
    }
    EXPECT_EQ(catalogue.calls, (std::vector<std::string>{"Load", "CheckIntegrity"}));
    EXPECT_EQ(settings.Search, u"kept") << "the options read before the advice stay loaded";

    browsers.detectionError.reset();
    browsers.installed = 1u << bkInternetExplorer; // listed, but no executable to ask for a version
    StartWithDefault(bkInternetExplorer);
    catalogue.calls.clear();
    EXPECT_THROW(service.LoadSettings(true, false), std::runtime_error);
    EXPECT_EQ(catalogue.calls, (std::vector<std::string>{"Load", "CheckIntegrity"}));
}

TEST_F(SettingsServiceTest, ACatalogueThatCouldNotBeReadIsTriedAgainUntilItIsRead) {
    SetValue("Browser", 0);
    catalogue.loadError = "Cannot read \"C:\\Data\\targets.dat\".";
    EXPECT_THROW(service.LoadSettings(true, false), EFileError);
    EXPECT_FALSE(service.CatalogueRead());
    EXPECT_EQ(service.ReadCatalogueIfUnread(),
              "The catalogue could not be read: Cannot read \"C:\\Data\\targets.dat\". It is not changed "
              "or saved until it can be read.");

    catalogue.loadError.reset();
    catalogue.calls.clear();
    EXPECT_EQ(service.ReadCatalogueIfUnread(), std::nullopt);
    EXPECT_TRUE(service.CatalogueRead());
    EXPECT_EQ(service.ReadCatalogueIfUnread(), std::nullopt);
    EXPECT_EQ(catalogue.calls, (std::vector<std::string>{"Load", "CheckIntegrity"})) << "read once";
}

TEST_F(SettingsServiceTest, CatalogueIsRepairedOnEveryLoadAndReloadedOnlyWhenAsked) {
    SetValue("Browser", 0);
    service.LoadSettings(false, false);
    EXPECT_EQ(catalogue.calls, (std::vector<std::string>{"CheckIntegrity"}));
    catalogue.calls.clear();
    service.LoadSettings(true, false);
    EXPECT_EQ(catalogue.calls, (std::vector<std::string>{"Load", "CheckIntegrity"}));
}

TEST_F(SettingsServiceTest, LoadReadsEveryOptionAndKeepsCurrentValuesForMissingOnes) {
    SetText("Search", "weather");
    SetText("Collection", "News");
    SetValue("AutoClose", 1);
    SetValue("AlwaysOnTop", 5);
    SetValue("AutoComplete", 0);
    SetValue("Browser", 2);
    SetText("BannerID", "b-17");
    SetValue("NumberOfItems", 1);
    SetValue("MinimizeToTray", 0);
    SetValue("MinimizeOnClose", 0);
    SetValue("Hotkey.Mod", 3);
    SetValue("Hotkey.Key", 0x70);
    SetValue("UseHotkey", 0);
    SetValue("Slider.Edge", 2);
    SetValue("Slider.X", 0xFFFFFFF6u);
    settings.SliderY = 321; // no stored value: the current value stays
    service.LoadSettings(false, true);

    EXPECT_EQ(settings.Search, u"weather");
    EXPECT_EQ(settings.Collection, "News");
    EXPECT_TRUE(settings.AutoClose);
    EXPECT_TRUE(settings.AlwaysOnTop);
    EXPECT_FALSE(settings.AutoComplete);
    EXPECT_EQ(settings.Browser, bkOpera);
    EXPECT_EQ(settings.BannerID, "b-17");
    EXPECT_TRUE(settings.NumberOfItems);
    EXPECT_FALSE(settings.MinimizeToTray);
    EXPECT_FALSE(settings.MinimizeOnClose);
    EXPECT_EQ(settings.HotkeyMod, 3);
    EXPECT_EQ(settings.HotkeyKey, 0x70);
    EXPECT_FALSE(settings.UseHotkey);
    EXPECT_EQ(settings.SliderEdge, 2);
    EXPECT_EQ(settings.SliderX, -10);
    EXPECT_EQ(settings.SliderY, 321);
}

TEST_F(SettingsServiceTest, HotkeyKeyStoredAsTextKeepsTheQKey) {
    SetValue("Browser", 0);
    SetText("Hotkey.Key", "112");
    SetText("UseHotkey", "0");
    service.LoadSettings(false, false);
    EXPECT_EQ(settings.HotkeyKey, 81);
    EXPECT_TRUE(settings.UseHotkey);
}

TEST_F(SettingsServiceTest, SaveWritesEveryOptionInItsOrderWithItsType) {
    settings.Search = u"rain";
    settings.AutoClose = true;
    settings.Browser = bkFirefox;
    settings.HotkeyKey = 0x51;
    settings.SliderX = -4;
    service.SaveSettings(false);

    EXPECT_EQ(registry.writeLog,
              (std::vector<std::string>{"Search", "Collection", "AutoClose", "AlwaysOnTop", "AutoComplete",
                                        "Browser", "BannerID", "NumberOfItems", "MinimizeToTray",
                                        "MinimizeOnClose", "Hotkey.Key", "Hotkey.Mod", "UseHotkey",
                                        "Slider.Edge", "Slider.X", "Slider.Y"}));
    EXPECT_EQ(registry.String(kSettingsRoot, kSettingsPath, "Search"), "rain");
    EXPECT_EQ(registry.String(kSettingsRoot, kSettingsPath, "BannerID"), "");
    EXPECT_EQ(registry.Dword(kSettingsRoot, kSettingsPath, "AutoClose"), 1u);
    EXPECT_EQ(registry.Dword(kSettingsRoot, kSettingsPath, "AlwaysOnTop"), 0u);
    EXPECT_EQ(registry.Dword(kSettingsRoot, kSettingsPath, "Browser"), 1u);
    EXPECT_EQ(registry.Dword(kSettingsRoot, kSettingsPath, "Hotkey.Key"), 0x51u);
    EXPECT_EQ(registry.Dword(kSettingsRoot, kSettingsPath, "Slider.X"), 0xFFFFFFFCu);
    EXPECT_TRUE(catalogue.calls.empty());
}

TEST_F(SettingsServiceTest, SavedOptionsLoadBackAndEndTheFirstRunAdvice) {
    browsers.Install(bkInternetExplorer, 6, 0);
    StartWithDefault(bkInternetExplorer);
    settings.Collection = "Shopping";
    settings.HotkeyMod = 6;
    settings.SliderEdge = 3;
    service.SaveSettings(true);
    EXPECT_EQ(catalogue.calls, (std::vector<std::string>{"Save"}));

    TAppSettings fresh;
    TSettingsService again{registry, catalogue, browsers, boxes, fresh};
    again.LoadSettings(false, false);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(fresh.Collection, "Shopping");
    EXPECT_EQ(fresh.HotkeyMod, 6);
    EXPECT_EQ(fresh.SliderEdge, 3);
}

TEST_F(SettingsServiceTest, SaveWithAnUnopenableKeyWritesNothingButStillSavesTheCatalogue) {
    registry.failOpen = true;
    EXPECT_NO_THROW(service.SaveSettings(true));
    EXPECT_TRUE(registry.writeLog.empty());
    EXPECT_EQ(catalogue.calls, (std::vector<std::string>{"Save"}));
}

TEST_F(SettingsServiceTest, WriteAndCatalogueErrorsReachTheCaller) {
    registry.At(kSettingsRoot, kSettingsPath);
    registry.failWrites = true;
    EXPECT_THROW(service.SaveSettings(true), ERegistryError);
    EXPECT_TRUE(catalogue.calls.empty());

    registry.failWrites = false;
    catalogue.failSave = true;
    EXPECT_THROW(service.SaveSettings(true), std::runtime_error);
}

TEST_F(SettingsServiceTest, AStoredBrowserChoiceMakesAskingTheSystemNeedless) {
    service.DetectDefaultBrowserAtFirstLoad();
    browsers.defaultBrowser = bkFirefox;
    SetValue("Browser", bkOpera);
    service.LoadSettings(true, true);
    EXPECT_EQ(settings.Browser, bkOpera);
    EXPECT_EQ(browsers.defaultDetectCalls, 0);
}

TEST_F(SettingsServiceTest, WithoutAStoredChoiceTheFirstLoadAloneAsksTheSystem) {
    service.DetectDefaultBrowserAtFirstLoad();
    browsers.defaultBrowser = bkFirefox;
    SetText("Search", "kept");
    service.LoadSettings(true, true);
    EXPECT_EQ(settings.Browser, bkFirefox);
    settings.Browser = bkOpera;
    service.LoadSettings(true, true);
    EXPECT_EQ(settings.Browser, bkOpera) << "later loads keep the value in memory";
    EXPECT_EQ(browsers.defaultDetectCalls, 1);
}

TEST_F(SettingsServiceTest, AStoredBrowserOfTheWrongTypeOrOutOfRangeStillGetsTheSystemsDefault) {
    service.DetectDefaultBrowserAtFirstLoad();
    browsers.defaultBrowser = bkFirefox;
    browsers.Install(bkFirefox, 3, 0);
    SetText("Browser", "1");
    service.LoadSettings(true, false);
    EXPECT_EQ(settings.Browser, bkFirefox);
    EXPECT_TRUE(boxes.shown.empty()) << "the value exists, so no first-run notice";

    SetValue("Browser", 300);
    settings.Browser = bkInternetExplorer;
    service.DetectDefaultBrowserAtFirstLoad();
    service.LoadSettings(true, false);
    EXPECT_EQ(settings.Browser, bkFirefox);
}

TEST_F(SettingsServiceTest, NoRegisteredBrowserKeepsTheBuiltInDefaultAndTheLoadGoesOn) {
    service.DetectDefaultBrowserAtFirstLoad();
    browsers.defaultDetectionError = "Unable to detect default browser.";
    browsers.Install(bkInternetExplorer, 7, 0);
    service.LoadSettings(true, false);
    EXPECT_EQ(settings.Browser, bkInternetExplorer);
    EXPECT_EQ(catalogue.calls, (std::vector<std::string>{"Load", "CheckIntegrity"}));
}

} // namespace
} // namespace tsy
