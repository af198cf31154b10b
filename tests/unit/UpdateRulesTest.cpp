#include "update/UpdateRules.h"

#include <gtest/gtest.h>

#include <limits>

namespace tsy {

TEST(ParseVersion, CutsFourPartsAtTheDots) {
    EXPECT_EQ(ParseVersion("1.2.3.4"), (TVersionRecord{1, 2, 3, 4}));
    EXPECT_EQ(ParseVersion(" 7. 8.9.10"), (TVersionRecord{7, 8, 9, 10}));
    // The body is not trimmed: a trailing line break spoils the build.
    EXPECT_EQ(ParseVersion("1.2.3.4\n"), (TVersionRecord{1, 2, 3, 0}));
    EXPECT_EQ(ParseVersion("1.2.3.4\r\n"), (TVersionRecord{1, 2, 3, 0}));
    // A missing dot leaves the rest for the build.
    EXPECT_EQ(ParseVersion("2.1"), (TVersionRecord{2, 0, 0, 1}));
    EXPECT_EQ(ParseVersion("5"), (TVersionRecord{0, 0, 0, 5}));
    EXPECT_EQ(ParseVersion(""), (TVersionRecord{}));
}

TEST(ParseVersion, ReadsABadPartAsZero) {
    EXPECT_EQ(ParseVersion("x.2.y.4"), (TVersionRecord{0, 2, 0, 4}));
    EXPECT_EQ(ParseVersion("1.2.3.4.5"), (TVersionRecord{1, 2, 3, 0}));
    EXPECT_EQ(ParseVersion("99999999999.1.1.1"), (TVersionRecord{0, 1, 1, 1}));
    EXPECT_EQ(ParseVersion("<html>404</html>"), (TVersionRecord{}));
    EXPECT_EQ(ParseVersion("-1.+2.3 .4"), (TVersionRecord{-1, 2, 0, 4}));
}

TEST(IsNewerVersion, TheFirstDifferentFieldDecides) {
    EXPECT_TRUE(IsNewerVersion({1, 2, 3, 10}, {1, 2, 3, 9}));
    EXPECT_FALSE(IsNewerVersion({1, 2, 3, 9}, {1, 2, 3, 9}));
    EXPECT_TRUE(IsNewerVersion({1, 3, 0, 0}, {1, 2, 9, 99}));
    EXPECT_FALSE(IsNewerVersion({0, 9, 9, 999}, {1, 0, 0, 0}));
    EXPECT_FALSE(IsNewerVersion({1, 2, 2, 100}, {1, 2, 3, 0}));
}

TEST(IsCheckDue, RunsAtMostOncePerCalendarDayUnlessForced) {
    const TDateTime justBeforeMidnight = DateTimeFromCivil(2026, 12, 9, 23, 59, 59, 999);
    const TDateTime midnight = DateTimeFromCivil(2026, 12, 10, 0, 0, 0);
    const TDateTime morning = DateTimeFromCivil(2026, 12, 10, 8, 0, 0);
    EXPECT_FALSE(IsCheckDue(midnight, morning, false)) << "midnight belongs to the day";
    EXPECT_TRUE(IsCheckDue(justBeforeMidnight, morning, false));
    EXPECT_TRUE(IsCheckDue(justBeforeMidnight, midnight, false));
    EXPECT_FALSE(IsCheckDue(justBeforeMidnight, justBeforeMidnight, false));
    EXPECT_TRUE(IsCheckDue(morning, morning, true));
    // Never checked: yesterday at midnight.
    EXPECT_TRUE(IsCheckDue(std::nullopt, midnight, false));
    // A clock set back leaves a check "in the future": it runs again.
    EXPECT_TRUE(IsCheckDue(DateTimeFromCivil(2026, 12, 11, 0, 0, 0), morning, false));
}

TEST(DateTime, CountsDaysFromTheEndOf1899) {
    EXPECT_DOUBLE_EQ(DateTimeFromCivil(1899, 12, 30, 0, 0, 0), 0.0);
    EXPECT_DOUBLE_EQ(DateTimeFromCivil(1900, 1, 1, 12, 0, 0), 2.5);
    EXPECT_DOUBLE_EQ(DateTimeFromCivil(2000, 2, 29, 6, 0, 0), 36585.25);
    const auto bytes = EncodeDateTime(36585.25);
    ASSERT_EQ(bytes.size(), 8u);
    EXPECT_EQ(DecodeDateTime(bytes), 36585.25);
    EXPECT_EQ(DecodeDateTime({1, 2, 3, 4}), std::nullopt);
    EXPECT_EQ(DecodeDateTime(EncodeDateTime(std::numeric_limits<double>::quiet_NaN())), std::nullopt);
}

TEST(SplitDetails, TakesTheAddressLineAndTheRest) {
    const auto details =
        SplitDetails("  http://dl.example/setup.exe \r\n\r\n New: more sites.\r\nFixed: x.\r\n");
    EXPECT_EQ(details.DownloadURL, "http://dl.example/setup.exe");
    EXPECT_EQ(details.Description, "New: more sites.\r\nFixed: x.");
    const auto single = SplitDetails(" only a text ");
    EXPECT_EQ(single.DownloadURL, "");
    EXPECT_EQ(single.Description, "only a text");
    EXPECT_EQ(SplitDetails("http://a.example/\n").Description, "");
}

TEST(BuildRequestURL, AppendsTheFileAndTheModeWithoutSeparators) {
    EXPECT_EQ(BuildRequestURL("https://u.example/tsy/", kVersionRequestFormat, "TSY", ""),
              "https://u.example/tsy/updates-check-TSY.php");
    EXPECT_EQ(BuildRequestURL("https://u.example/tsy", kVersionRequestFormat, "TSY", kDetailsMode),
              "https://u.example/tsyupdates-check-TSY.php&mode=details");
}

TEST(HttpStatusText, GivesTheTableTexts) {
    EXPECT_EQ(HttpStatusText(101), "Switching Protocols ");
    EXPECT_EQ(HttpStatusText(200), "OK");
    EXPECT_EQ(HttpStatusText(307), "Temporary Redirect");
    EXPECT_EQ(HttpStatusText(404), "Not Found");
    EXPECT_EQ(HttpStatusText(405), "Not Allowed");
    EXPECT_EQ(HttpStatusText(505), "HTTP Version Not Supported");
    EXPECT_EQ(HttpStatusText(306), "Unknown HTTP status code.");
    EXPECT_EQ(HttpStatusText(0), "Unknown HTTP status code.");
    EXPECT_EQ(HttpStatusText(-1), "Unknown HTTP status code.");
}

TEST(UpdateDetailsText, ShowsBuildsWithThreeDigits) {
    EXPECT_EQ(UpdateDetailsText({2, 1, 0, 5}, {2, 2, 0, 12}),
              "You are using version 2.1, release 0, build 005\n\r"
              "Latest available version is 2.2, release 0, build 012");
    EXPECT_EQ(UpdateDetailsText({1, 0, 0, 1234}, {1, 0, 0, 1235}),
              "You are using version 1.0, release 0, build 1234\n\r"
              "Latest available version is 1.0, release 0, build 1235");
}

TEST(IsDownloadAddress, AcceptsOnlyHttps) {
    EXPECT_TRUE(IsDownloadAddress("https://dl.example/setup.exe"));
    EXPECT_TRUE(IsDownloadAddress("HTTPS://dl.example/"));
    EXPECT_FALSE(IsDownloadAddress("http://dl.example/setup.exe"));
    EXPECT_FALSE(IsDownloadAddress("https://"));
    EXPECT_FALSE(IsDownloadAddress(""));
    EXPECT_FALSE(IsDownloadAddress("file:///C:/Windows/System32/calc.exe"));
    EXPECT_FALSE(IsDownloadAddress("C:\\Windows\\System32\\cmd.exe"));
    EXPECT_FALSE(IsDownloadAddress("calc"));
    EXPECT_FALSE(IsDownloadAddress("javascript:alert(1)"));
    EXPECT_FALSE(IsDownloadAddress("https://a.example/ \"C:\\x.exe\""));
    EXPECT_FALSE(IsDownloadAddress("ftp://a.example/"));
}

} // namespace tsy
