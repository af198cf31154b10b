// Histories written by the real browsers, read by the program's own history reader.
#include "BrowserFakes.h"
#include "FakeOpenPagesPlatform.h"
#include "RealBrowser.h"
#include "RealVisits.h"
#include "browsers/BrowserHistory.h"
#include "browsers/EngineReading.h"
#include "browsers/SearchEngines.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <map>

namespace tsy::browsers {
namespace {

namespace fs = std::filesystem;

// The system's folders as a folder of this machine: "C:\Roaming\x" is ROOT/Roaming/x.
class TFolderFiles : public fakes::MemoryFileSystem, public IDatabaseSnapshots {
public:
    explicit TFolderFiles(fs::path root) : root_(std::move(root)) {}
    fs::path Local(std::string_view path) const {
        std::string relative(path.substr(3));
        std::replace(relative.begin(), relative.end(), '\\', '/');
        return root_ / relative;
    }
    std::optional<std::string> ReadFile(std::string_view path) const override {
        std::ifstream in(Local(path), std::ios::binary);
        if (!in)
            return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool FileExists(std::string_view path) const override { return fs::is_regular_file(Local(path)); }
    // A copy with its log, as the program takes it while the browser runs.
    std::unique_ptr<IDatabaseSnapshot> Snapshot(const std::string& path) override {
        auto snapshot = std::make_unique<TSnapshot>();
        const fs::path from = Local(path);
        if (!fs::is_regular_file(from))
            return nullptr;
        fs::copy_file(from, snapshot->folder.Path() / "db");
        if (fs::exists(from.string() + "-wal"))
            fs::copy_file(from.string() + "-wal", snapshot->folder.Path() / "db-wal");
        return snapshot;
    }

private:
    struct TSnapshot : IDatabaseSnapshot {
        TTempFolder folder;
        std::string DatabasePath() const override { return (folder.Path() / "db").string(); }
    };
    fs::path root_;
};

class TFolderPlatform : public fakes::FakeOpenPagesPlatform {
public:
    explicit TFolderPlatform(fs::path root) : folder_(std::move(root)) {
        appData = "C:\\Roaming";
        localAppData = "C:\\Local";
    }
    TBrowserSystem System() { return {*this, folder_, codePage, folder_, sqlite_}; }

private:
    TFolderFiles folder_;
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
                AddDatabasePages(platform.System(), places, kFirefoxHistoryQuery, pages);
                return pages.size() == i + 1 && pages[0].Title == VisitTitle(kFirefoxVisits[i]);
            },
            60s);
        ASSERT_TRUE(recorded) << kFirefoxVisits[i] << " never reached the history";
        browser.Kill();
    }
    ASSERT_GT(fs::file_size(profile / "places.sqlite-wal"), 0u) << "the newest visits are in the log";
    TPageInfos pages;
    AddFirefoxPages(platform.System(), pages);
    EXPECT_EQ(Listed(pages), NewestFirst(kFirefoxVisits));
    Export(profile, "firefox", {"places.sqlite", "places.sqlite-wal"});
}

TEST_F(RealHistory, FirefoxsOwnProfilesIniLeadsToTheProfileItCreated) {
    const fs::path home = root.Path() / "home";
    fs::create_directories(home);
    TProcess firefox(
        {"env", "HOME=" + home.string(), "firefox-esr", "--headless", "-CreateProfile", "tessaly"}, 60s);
    ASSERT_TRUE(firefox.Started() && firefox.WaitForExit(60s));
    fs::path ini, created;
    for (const auto& entry : fs::recursive_directory_iterator(home)) {
        if (entry.path().filename() == "profiles.ini")
            ini = entry.path();
        if (entry.is_directory() && entry.path().extension() == ".tessaly")
            created = entry.path();
    }
    ASSERT_FALSE(ini.empty() || created.empty()) << "Firefox wrote no profile";
    ASSERT_EQ(created.parent_path(), ini.parent_path());
    std::ifstream in(ini, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(FirefoxProfileFolder("C:\\Firefox\\", text), "C:\\Firefox\\" + created.filename().string());
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
    AddChromiumPages(platform.System(), bkChrome, pages);
    EXPECT_EQ(Listed(pages), NewestFirst(kChromiumVisits));
    Export(userData / "Default", "chrome", {"History", "History-journal"});
}

std::map<std::string, std::string> Templates(const TSearchEngines& engines) {
    std::map<std::string, std::string> templates;
    for (const auto& engine : engines)
        templates[engine.Name] = engine.SearchURL;
    return templates;
}

TEST_F(RealHistory, AFreshChromiumProfileGivesItsBuiltInEnginesWithoutItsShortcuts) {
    const fs::path userData = root.Path() / "Local/Google/Chrome/User Data";
    auto command = ChromiumCommand(userData, proxy.Port());
    command.insert(command.begin(), {"env", "LANG=en_US.UTF-8"});
    command.insert(command.end(), {"--lang=en-US", "--headless=new", "--dump-dom", "about:blank"});
    TProcess browser(command, 90s);
    ASSERT_TRUE(browser.Started());
    ASSERT_TRUE(browser.WaitForExit(80s));

    const auto engines = FindSearchEngines(platform.System(), 1 << bkChrome);
    for (const auto& engine : engines)
        std::cout << "engine: " << engine.Name << " | " << engine.Keyword << " | " << engine.SearchURL
                  << " | " << engine.Charset << "\n";
    const auto templates = Templates(engines);
    EXPECT_EQ(templates.at("Google"), "https://www.google.com/search?q=%s&ie=UTF-8");
    EXPECT_EQ(templates.at("Microsoft Bing"), "https://www.bing.com/search?q=%s");
    EXPECT_EQ(templates.at("DuckDuckGo"), "https://duckduckgo.com/?q=%s");

    // The shortcuts that the browser adds of its own are all there, and none is listed.
    const auto keywords =
        TSqliteHistoryDatabase().QueryTable((userData / "Default/Web Data").string(), kChromiumKeywordsQuery);
    ASSERT_TRUE(keywords);
    TSkippedEngines skipped;
    EXPECT_EQ(ChromiumEngines(*keywords, bkChrome, "en-US", skipped).size(), engines.size());
    std::cout << "rows: " << keywords->Rows.size() << ", starter pack: " << skipped.StarterPack
              << ", no web page: " << skipped.NotWeb << ", posted: " << skipped.Posted
              << ", inactive: " << skipped.Inactive << ", no search: " << skipped.NoSearch
              << ", unusable: " << skipped.Unusable << "\n";
    EXPECT_GE(skipped.StarterPack, 4);
    EXPECT_EQ(skipped.StarterPack + skipped.NotWeb + skipped.Posted + skipped.Inactive + skipped.NoSearch +
                  skipped.Unusable + int(engines.size()),
              int(keywords->Rows.size()));
    for (const auto& engine : engines)
        EXPECT_FALSE(engine.Keyword.starts_with("@")) << engine.Keyword;

    // The user-data folder as the browser left it, for the Windows tests.
    Export(userData / "Default", "chromium-engines/Default", {"Web Data", "Web Data-journal"});
    fs::copy_file(userData / "Local State", fs::path(TESSALY_REAL_HISTORY) / "chromium-engines/Local State",
                  fs::copy_options::overwrite_existing);
}

TEST_F(RealHistory, FirefoxKeywordBookmarksOfItsOwnSchema) {
    const fs::path firefox = root.Path() / "Roaming/Mozilla/FireFox";
    const fs::path profile = firefox / "Profiles/engines.default";
    WriteFirefoxProfile(profile, proxy.Port());
    std::ofstream(firefox / "profiles.ini")
        << "[Profile0]\nName=default\nIsRelative=1\nPath=Profiles/engines.default\nDefault=1\n";
    {
        TProcess browser(FirefoxCommand(profile), 90s);
        ASSERT_TRUE(browser.Started());
        // Its schema is complete once the keywords can be asked for; its engine list comes soon.
        ASSERT_TRUE(WaitUntil(
            [&] {
                if (!fs::exists(profile / "search.json.mozlz4"))
                    return false;
                const TBrowserSystem system = platform.System();
                auto snapshot = system.Snapshots.Snapshot(
                    "C:\\Roaming\\Mozilla\\FireFox\\Profiles\\engines.default\\places.sqlite");
                return snapshot &&
                       system.Database.QueryTable(snapshot->DatabasePath(), kFirefoxKeywordsQuery);
            },
            60s));
    }
    sqlite3* opened = nullptr;
    ASSERT_EQ(sqlite3_open((profile / "places.sqlite").c_str(), &opened), SQLITE_OK);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> places(opened, sqlite3_close);
    ASSERT_EQ(sqlite3_exec(
                  places.get(),
                  "INSERT INTO moz_places(id, url, title, guid, url_hash) VALUES "
                  "(9001, 'https://wiki.example/w/index.php?search=%S&go=Go', 'Index', 'engineplace1', 1), "
                  "(9002, 'https://form.example/search', 'Form', 'engineplace2', 2);"
                  "INSERT INTO moz_bookmarks(type, fk, parent, position, title, guid) VALUES "
                  "(1, 9001, 3, 0, 'Wiki search', 'enginebook01'), (1, 9002, 3, 1, 'Form', 'enginebook02');"
                  "INSERT INTO moz_keywords(keyword, place_id, post_data) VALUES "
                  "('w', 9001, NULL), ('f', 9002, 'q=%s');",
                  nullptr, nullptr, nullptr),
              SQLITE_OK);
    places.reset();
    // The engines that come with Firefox keep no address in its engine list, so only the keyword
    // without form data is found.
    const auto engines = FindSearchEngines(platform.System(), 1 << bkFirefox);
    ASSERT_EQ(engines.size(), 1u);
    EXPECT_EQ(engines[0].Name, "Wiki search");
    EXPECT_EQ(engines[0].Keyword, "w");
    EXPECT_EQ(engines[0].SearchURL, "https://wiki.example/w/index.php?search=%s&go=Go");
}

} // namespace
} // namespace tsy::browsers
