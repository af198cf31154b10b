#include "controls/LabelText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "support/HelpLibrary.h"
#include "support/HelpTopic.h"

namespace tsy {

namespace {

TVersionInfo Version(TVersionRecord file) {
    TVersionInfo info;
    info.File = file;
    info.ProductName = "Tessaly";
    info.CompanyName = "Orvelle";
    info.LegalCopyright = "(C) <Company>";
    return info;
}

} // namespace

TEST(AboutPlaceholders, MatchAnyCaseInTheirOrder) {
    const auto info = Version({3, 1, 4, 5});
    EXPECT_EQ(ExpandAboutPlaceholders("v<major>.<MINOR>", "Tessaly", info), "v3.1");
    EXPECT_EQ(ExpandAboutPlaceholders("version <Major>.<Minor>, build <Major>.<Minor>.<Release>.<Build>",
                                      "Tessaly", info),
              "version 3.1, build 3.1.4.005");
    EXPECT_EQ(ExpandAboutPlaceholders("<AppName> by <Company>: <Product>", "Tsy", info),
              "Tsy by Orvelle: Tessaly");
    EXPECT_EQ(ExpandAboutPlaceholders("<Build>", "", Version({0, 0, 0, 12345})), "12345");
    EXPECT_EQ(ExpandAboutPlaceholders("<Major <Minor> <Unknown>", "", info), "<Major 1 <Unknown>");
}

TEST(AboutPlaceholders, ALaterPlaceholderInAReplacementIsExpandedButNotAnEarlierOne) {
    const auto info = Version({1, 0, 0, 7});
    // The copyright names the company, which comes later.
    EXPECT_EQ(ExpandAboutPlaceholders("<Copyright>", "", info), "(C) Orvelle");
    // The title names the major version, which comes later too.
    EXPECT_EQ(ExpandAboutPlaceholders("<AppName>", "App <major>", info), "App 1");
    // The company names the title, whose step has passed.
    auto loop = info;
    loop.CompanyName = "<AppName>";
    EXPECT_EQ(ExpandAboutPlaceholders("<Company>", "T", loop), "<AppName>");
}

TEST(URLLabelCaption, FollowsTheAddressOnlyWhileShowingTheNameOrTheOldAddress) {
    EXPECT_EQ(URLLabelCaption("urlWebsite", "urlWebsite", "", "https://a.example/"), "https://a.example/");
    EXPECT_EQ(URLLabelCaption("https://a.example/", "urlWebsite", "https://a.example/", "https://b.example/"),
              "https://b.example/");
    EXPECT_EQ(URLLabelCaption("Orvelle", "urlSponsor", "", "https://a.example/"), "Orvelle");
    EXPECT_EQ(URLLabelCaption("", "urlX", "", "https://a.example/"), "https://a.example/");
}

TEST(HelpLibraryPath, PutsInTheWindowsFolderAndFallsBackToTheSystemFolder) {
    std::vector<std::string> files = {"C:\\WINDOWS\\System32\\hhctrl.ocx", "D:\\Help\\hhctrl.ocx"};
    const std::function<bool(const std::string&)> exists = [&files](const std::string& path) {
        return std::find(files.begin(), files.end(), path) != files.end();
    };
    EXPECT_EQ(ResolveHelpLibraryPath("%SystemRoot%\\System32\\hhctrl.ocx", "C:\\WINDOWS", "X:\\Sys", exists),
              "C:\\WINDOWS\\System32\\hhctrl.ocx");
    EXPECT_EQ(ResolveHelpLibraryPath("D:\\Help\\hhctrl.ocx", "C:\\WINDOWS", "X:\\Sys", exists),
              "D:\\Help\\hhctrl.ocx");
    // Only the leading twelve characters are the placeholder.
    EXPECT_EQ(ResolveHelpLibraryPath("C:\\%SYSTEMROOT%\\hhctrl.ocx", "C:\\WINDOWS", "C:\\WINDOWS\\System32",
                                     exists),
              "C:\\WINDOWS\\System32\\hhctrl.ocx");
    // A registered file that is gone, or no registration: the system folder.
    EXPECT_EQ(ResolveHelpLibraryPath("E:\\gone.ocx", "C:\\WINDOWS", "C:\\WINDOWS\\System32", exists),
              "C:\\WINDOWS\\System32\\hhctrl.ocx");
    EXPECT_EQ(ResolveHelpLibraryPath("", "C:\\WINDOWS", "C:\\WINDOWS\\System32", exists),
              "C:\\WINDOWS\\System32\\hhctrl.ocx");
    EXPECT_EQ(ResolveHelpLibraryPath("", "C:\\WINDOWS", "X:\\Sys", exists), "");
    // A bare or relative name would be looked for in the current folder: the system folder's.
    files.push_back("hhctrl.ocx");
    files.push_back("Help\\hhctrl.ocx");
    for (const char* registered : {"hhctrl.ocx", "Help\\hhctrl.ocx", "\\\\server\\hhctrl.ocx"})
        EXPECT_EQ(ResolveHelpLibraryPath(registered, "C:\\WINDOWS", "C:\\WINDOWS\\System32", exists),
                  "C:\\WINDOWS\\System32\\hhctrl.ocx")
            << registered;
}

TEST(HelpTopicAddress, NamesTheKeywordsPageInTheHelpFileBesideTheProgram) {
    EXPECT_EQ(HelpTopicAddress(kHelpFileName, "Settings.Sites"), "TSY.chm::/Settings.Sites.htm");
    EXPECT_EQ(HelpFileBeside("C:\\Program Files\\Tessaly\\Tessaly.exe"),
              "C:\\Program Files\\Tessaly\\TSY.chm");
    EXPECT_EQ(HelpFileBeside("Tessaly.exe"), "TSY.chm");
    // The keywords asked for are those the help file is checked for.
    const std::vector<std::string> keywords(std::begin(kHelpKeywords), std::end(kHelpKeywords));
    for (const char* keyword : {kMainFormHelpKeyword, kAboutHelpKeyword, "Settings.Sites"})
        EXPECT_NE(std::find(keywords.begin(), keywords.end(), keyword), keywords.end()) << keyword;
}

TEST(VersionStrings, AreAskedByLanguageAndCodePageInLowerCaseHex) {
    EXPECT_EQ(VersionStringPath(0x0409, 0x04E4, "Comments"), "\\StringFileInfo\\040904e4\\Comments");
    EXPECT_EQ(SplitVersionFields(0x00020001, 0x0000000C), (TVersionRecord{2, 1, 0, 12}));
    EXPECT_EQ(SplitVersionFields(0xFFFF0000, 0x00010002), (TVersionRecord{65535, 0, 1, 2}));
}

} // namespace tsy
