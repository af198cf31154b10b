#include "settings/Autorun.h"

#include "FakeKeyValueStore.h"

#include <gtest/gtest.h>

namespace tsy {
namespace {

using fakes::FakeKeyValueStore;

constexpr const char* kExe = "C:\\Program Files\\Tessaly\\Tessaly.exe";

class AutorunTest : public ::testing::Test {
protected:
    std::optional<std::string> Entry() const { return registry.String(kAutorunRoot, kAutorunPath, "TSY"); }
    void SetEntry(std::string_view text) { registry.SetString(kAutorunRoot, kAutorunPath, "TSY", text); }

    FakeKeyValueStore registry;
    TAutorun autorun{registry, kExe};
};

TEST_F(AutorunTest, WithoutAnEntryNeitherModeIsSet) {
    EXPECT_FALSE(autorun.IsAutorunMinimized());
    EXPECT_FALSE(autorun.IsAutorunSlider());
    registry.At(kAutorunRoot, kAutorunPath);
    EXPECT_FALSE(autorun.IsAutorunMinimized());
    EXPECT_FALSE(autorun.IsAutorunSlider());
}

TEST_F(AutorunTest, EachModeWritesItsCommandLineAndReadsBackAlone) {
    autorun.SetAutorunSlider(true);
    EXPECT_EQ(Entry(), "\"C:\\Program Files\\Tessaly\\Tessaly.exe\" /slider");
    EXPECT_TRUE(autorun.IsAutorunSlider());
    EXPECT_FALSE(autorun.IsAutorunMinimized());

    autorun.SetAutorunMinimized(true);
    EXPECT_EQ(Entry(), "\"C:\\Program Files\\Tessaly\\Tessaly.exe\" /minimized");
    EXPECT_TRUE(autorun.IsAutorunMinimized());
    EXPECT_FALSE(autorun.IsAutorunSlider());
}

TEST_F(AutorunTest, TurningEitherModeOffRemovesTheEntryWhicheverModeItHeld) {
    autorun.SetAutorunSlider(true);
    autorun.SetAutorunMinimized(false);
    EXPECT_FALSE(Entry());
    autorun.SetAutorunMinimized(true);
    autorun.SetAutorunSlider(false);
    EXPECT_FALSE(Entry());
    EXPECT_NO_THROW(autorun.SetAutorunSlider(false)) << "a missing value is not an error";
}

TEST_F(AutorunTest, SliderIsMatchedCaseSensitively) {
    SetEntry("\"C:\\Tessaly.exe\" /Slider");
    EXPECT_TRUE(autorun.IsAutorunMinimized());
    EXPECT_FALSE(autorun.IsAutorunSlider());
    SetEntry("\"C:\\Tessaly.exe\" -xsliderx");
    EXPECT_TRUE(autorun.IsAutorunSlider());
}

TEST_F(AutorunTest, AProgramFolderNamedSliderDoesNotMakeAMinimisedEntryASliderOne) {
    TAutorun inSliderFolder(registry, "C:\\slider\\Tessaly.exe");
    inSliderFolder.SetAutorunMinimized(true);
    EXPECT_TRUE(inSliderFolder.IsAutorunMinimized());
    EXPECT_FALSE(inSliderFolder.IsAutorunSlider());
    inSliderFolder.SetAutorunSlider(true);
    EXPECT_TRUE(inSliderFolder.IsAutorunSlider());
    // An entry without quotes is searched whole.
    SetEntry("C:\\slider\\Tessaly.exe /minimized");
    EXPECT_TRUE(autorun.IsAutorunSlider());
}

TEST_F(AutorunTest, AValueThatIsNotTextIsNoEntry) {
    registry.SetDword(kAutorunRoot, kAutorunPath, "TSY", 1);
    EXPECT_FALSE(autorun.IsAutorunMinimized());
    EXPECT_FALSE(autorun.IsAutorunSlider());
    autorun.ApplyChoice(false, true);
    EXPECT_EQ(Entry(), autorun.MinimizedCommand());
}

TEST_F(AutorunTest, AnUnreachableRunKeyReadsAsNoEntryAndFailsToWrite) {
    SetEntry("\"x\" /slider");
    registry.failOpen = true;
    EXPECT_FALSE(autorun.IsAutorunSlider());
    EXPECT_THROW(autorun.SetAutorunSlider(true), ERegistryError);
    registry.failOpen = false;
    registry.failWrites = true;
    EXPECT_THROW(autorun.SetAutorunMinimized(true), ERegistryError);
}

TEST_F(AutorunTest, DialogChoiceSliderWinsAndUntickingBothRemovesTheEntry) {
    autorun.ApplyChoice(true, false);
    EXPECT_EQ(Entry(), autorun.SliderCommand());
    autorun.ApplyChoice(false, true);
    EXPECT_EQ(Entry(), autorun.MinimizedCommand());
    autorun.ApplyChoice(false, false);
    EXPECT_FALSE(Entry());
}

TEST_F(AutorunTest, DialogChoiceLeavesAnExistingMinimisedEntryUntouched) {
    SetEntry("\"D:\\old\\Tessaly.exe\" /minimized");
    registry.writeCount = 0;
    autorun.ApplyChoice(false, true);
    EXPECT_EQ(registry.writeCount, 0);
    EXPECT_EQ(Entry(), "\"D:\\old\\Tessaly.exe\" /minimized");
}

} // namespace
} // namespace tsy
