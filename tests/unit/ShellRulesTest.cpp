#include <gtest/gtest.h>

#include "app/CustomizeRule.h"
#include "support/HelpTopic.h"

namespace tsy {
namespace {

TEST(SettingsFirstPage, NeverOpenedStartsOnTheFirstPage) {
    EXPECT_TRUE(SettingsStartOnFirstPage(std::nullopt, 0));
    EXPECT_TRUE(SettingsStartOnFirstPage(std::nullopt, 123456));
}

TEST(SettingsFirstPage, CountsWholeMinutesAndNeedsMoreThanSixty) {
    const std::int64_t last = 1'000'000;
    EXPECT_FALSE(SettingsStartOnFirstPage(last, last));
    EXPECT_FALSE(SettingsStartOnFirstPage(last, last + 60 * 60));
    // 60 minutes and 59 seconds are still 60 whole minutes.
    EXPECT_FALSE(SettingsStartOnFirstPage(last, last + 60 * 60 + 59));
    EXPECT_TRUE(SettingsStartOnFirstPage(last, last + 61 * 60));
    EXPECT_TRUE(SettingsStartOnFirstPage(last, last + 24 * 3600));
}

TEST(SettingsFirstPage, AClockSetBackKeepsTheLastPage) {
    EXPECT_FALSE(SettingsStartOnFirstPage(1'000'000, 1'000'000 - 2 * 3600));
}

TEST(HelpTopic, BuildsTheTopicAddressFromFileAndKeyword) {
    EXPECT_EQ(HelpTopicAddress(kHelpFileName, "Settings.Sites"), "TSY.chm::/Settings.Sites.htm");
    EXPECT_EQ(HelpTopicAddress(kHelpFileName, kMainFormHelpKeyword), "TSY.chm::/Intro.About.htm");
}

} // namespace
} // namespace tsy

#include "support/StdRandom.h"

namespace tsy {
namespace {

TEST(StdRandom, StaysBelowTheBoundAndRepeatsForASeed) {
    TStdRandom a;
    TStdRandom b;
    a.Seed(42);
    b.Seed(42);
    bool sawTop = false;
    for (int i = 0; i < 200; ++i) {
        const std::uint32_t x = a.Below(3);
        EXPECT_LT(x, 3u);
        EXPECT_EQ(x, b.Below(3));
        sawTop = sawTop || x == 2;
    }
    EXPECT_TRUE(sawTop);
    EXPECT_EQ(a.Below(1), 0u);
}

} // namespace
} // namespace tsy

#include "app/ScreenSnap.h"

namespace tsy {
namespace {

TEST(ScreenSnap, EdgesWithinTheDistanceStickAndOthersStayPut) {
    // A 566 pixel window in a 1024 pixel work area, snapping within 10 pixels.
    EXPECT_EQ(SnapToEdges(7, 566, 0, 1024, 10), 0);
    EXPECT_EQ(SnapToEdges(-10, 566, 0, 1024, 10), 0);
    EXPECT_EQ(SnapToEdges(11, 566, 0, 1024, 10), 11);
    EXPECT_EQ(SnapToEdges(1024 - 566 - 4, 566, 0, 1024, 10), 1024 - 566);
    EXPECT_EQ(SnapToEdges(1024 - 566 + 9, 566, 0, 1024, 10), 1024 - 566);
    EXPECT_EQ(SnapToEdges(300, 566, 0, 1024, 10), 300);
    // A work area that does not start at 0 (a taskbar on the left).
    EXPECT_EQ(SnapToEdges(45, 566, 40, 1024, 10), 40);
    // Both edges near: the start wins.
    EXPECT_EQ(SnapToEdges(3, 100, 0, 105, 10), 0);
}

} // namespace
} // namespace tsy
