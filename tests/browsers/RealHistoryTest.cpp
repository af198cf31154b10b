// Histories written by the real browsers, read by the program's own history reader.
#include "BrowserFakes.h"
#include "FakeOpenPagesPlatform.h"
#include "RealBrowser.h"
#include "RealVisits.h"
#include "browsers/BrowserHistory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace tsy::browsers {
namespace {

namespace fs = std::filesystem;

// The system's folders as a folder of this machine: "C:\Roaming\x" is ROOT/Roaming/x.
class TFolderPlatform : public fakes::FakeOpenPagesPlatform {
public:
    explicit TFolderPlatform(fs::path root) : root_(std::move(root)) {
        appData = "C:\\Roaming";
        localAppData = "C:\\Local";
    }
    fs::path Local(const std::string& path) const {
        std::string relative = path.substr(3);
        std::replace(relative.begin(), relative.end(), '\\', '/');
        return root_ / relative;
    }
    std::optional<std::string> ReadWholeFile(const std::string& path) override {
        std::ifstream in(Local(path), std::ios::binary);
        if (!in)
            return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool FileExists(const std::string& path) override { return fs::is_regular_file(Local(path)); }
    // A copy with its log, as the program takes it while the browser runs.
    std::unique_ptr<IDatabaseSnapshot> SnapshotDatabase(const std::string& path) override {
        auto snapshot = std::make_unique<TSnapshot>();
        const fs::path from = Local(path);
        if (!fs::is_regular_file(from))
            return nullptr;
        fs::copy_file(from, snapshot->folder.Path() / "db");
        if (fs::exists(from.string() + "-wal"))
            fs::copy_file(from.string() + "-wal", snapshot->folder.Path() / "db-wal");
        return snapshot;
    }
    IHistoryDatabase& HistoryDatabase() override { return sqlite_; }

private:
    struct TSnapshot : IDatabaseSnapshot {
        TTempFolder folder;
        std::string DatabasePath() const override { return (folder.Path() / "db").string(); }
    };
    fs::path root_;
    TSqliteHistoryDatabase sqlite_;
};

// The visits newest first, each with its title.
std::vector<std::string> NewestFirst(const std::vector<std::string>& visits) {
    std::vector<std::string> pages;
    for (auto it = visits.rbegin(); it != visits.rend(); ++it)
        pages.push_back(*it + " = " + VisitTitle(*it));
    return pages;
}

// Keeps the browser's files for the Windows tests.
void Export(const fs::path& from, const std::string& to, const std::vector<std::string>& names) {
    const fs::path folder = fs::path(TESSALY_REAL_HISTORY) / to;
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const auto& name : names)
        if (fs::exists(from / name))
            fs::copy_file(from / name, folder / name);
}

std::vector<std::string> Listed(const TPageInfos& pages) {
    std::vector<std::string> lines;
    for (const auto& page : pages)
        lines.push_back(page.URL + " = " + page.Title);
    return lines;
}

class RealHistory : public ::testing::Test {
protected:
    TLoggingProxy proxy;
    TTempFolder root;
    TFolderPlatform platform{root.Path()};
};

TEST_F(RealHistory, FirefoxKilledWhileRunningGivesItsVisitsNewestFirst) {
    const fs::path firefox = root.Path() / "Roaming/Mozilla/FireFox";
    const fs::path profile = firefox / "Profiles/visits.default";
    WriteFirefoxProfile(profile, proxy.Port());
    std::ofstream(firefox / "profiles.ini")
        << "[General]\nStartWithLastProfile=1\n\n[Profile0]\nName=default\nIsRelative=1\n"
           "Path=Profiles/visits.default\nDefault=1\n";
    const std::string places = "C:\\Roaming\\Mozilla\\FireFox\\Profiles\\visits.default\\places.sqlite";
    for (std::size_t i = 0; i < kFirefoxVisits.size(); ++i) {
        auto command = FirefoxCommand(profile);
        command.push_back(kFirefoxVisits[i]);
        TProcess browser(command, 90s);
        ASSERT_TRUE(browser.Started());
        // Firefox records the visit, then the page's title, a moment after the page arrived.
        const bool recorded = WaitUntil(
            [&] {
                TPageInfos pages;
                AddDatabasePages(platform, places, kFirefoxHistoryQuery, pages);
                return pages.size() == i + 1 && pages[0].Title == VisitTitle(kFirefoxVisits[i]);
            },
            60s);
        ASSERT_TRUE(recorded) << kFirefoxVisits[i] << " never reached the history";
        browser.Kill();
    }
    ASSERT_GT(fs::file_size(profile / "places.sqlite-wal"), 0u) << "the newest visits are in the log";
    TPageInfos pages;
    AddFirefoxPages(platform, pages);
    EXPECT_EQ(Listed(pages), NewestFirst(kFirefoxVisits));
    Export(profile, "firefox", {"places.sqlite", "places.sqlite-wal"});
}

TEST_F(RealHistory, ChromiumGivesItsVisitsNewestFirst) {
    const fs::path userData = root.Path() / "Local/Google/Chrome/User Data";
    for (const auto& visit : kChromiumVisits) {
        auto command = ChromiumCommand(userData, proxy.Port());
        command.insert(command.end(), {"--headless=new", "--dump-dom", visit});
        TProcess browser(command, 90s);
        ASSERT_TRUE(browser.Started());
        ASSERT_TRUE(browser.WaitForExit(80s)) << visit;
        const auto asked = proxy.PagesOf(".cr.visits.example");
        ASSERT_FALSE(asked.empty());
        ASSERT_EQ(asked.back(), visit);
    }
    TPageInfos pages;
    AddChromiumPages(platform, bkChrome, pages);
    EXPECT_EQ(Listed(pages), NewestFirst(kChromiumVisits));
    Export(userData / "Default", "chrome", {"History", "History-journal"});
}

} // namespace
} // namespace tsy::browsers
