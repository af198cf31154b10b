#pragma once

#include "MemoryFileSystem.h"
#include "browsers/OpenPages.h"
#include "support/AnsiCodePage.h"

#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tsy::fakes {

// A shell window as a test arranges it; reading a property listed in failingProperties raises.
struct FakeShellWindow {
    std::string Name;
    std::string LocationURL;
    std::string LocationName;
    std::optional<std::string> DocumentTitle;
    std::set<std::string> failingProperties;
};

// History databases by path, each with the rows a query gives; a path in `corrupt` fails. A
// snapshot of a database is the file itself, where the files hold one that can be read.
class FakeHistoryDatabase : public IHistoryDatabase, public IDatabaseSnapshots {
public:
    explicit FakeHistoryDatabase(const IFileSystem& files) : files_(files) {}
    std::optional<THistoryRows> Query(const std::string& path, const std::string& sql) override;
    std::optional<TDatabaseTable> QueryTable(const std::string& path, const std::string& sql) override;
    std::unique_ptr<IDatabaseSnapshot> Snapshot(const std::string& path) override;
    std::map<std::string, THistoryRows> rows;
    // What a query by column names gives, by path, then by the table the query reads FROM.
    std::map<std::string, std::map<std::string, TDatabaseTable>> tables;
    std::set<std::string> corrupt;
    // Each query as "PATH: SQL".
    std::vector<std::string> queries;

private:
    const IFileSystem& files_;
};

// The system as fields: shell windows, top-level window classes, files and history databases,
// with Windows-1252 as the code page.
class FakeOpenPagesPlatform : public IBrowserWindows {
public:
    FakeOpenPagesPlatform() = default;
    FakeOpenPagesPlatform(const FakeOpenPagesPlatform&) = delete;
    FakeOpenPagesPlatform& operator=(const FakeOpenPagesPlatform&) = delete;

    void ForEachShellWindow(const std::function<bool(IShellWindow&)>& visit) override;
    bool TopLevelWindowExists(const std::string& className) override;
    bool VisibleWindowOfProgram(const std::string& className, const std::string& imageName) override;
    std::string AppDataFolder() override { return appData; }
    std::string LocalAppDataFolder() override { return localAppData; }
    std::string LanguageTag() override { return languageTag; }

    TBrowserSystem System() { return {*this, files, codePage, databases, databases}; }

    // Runs Firefox with its profile at profilePath (as profiles.ini writes it) and the history
    // image, when given, in that profile's folder.
    void RunFirefox(const std::string& profilePath, std::optional<std::string> history);
    // Shows a window of Chrome (or Edge) and gives its profile the rows as its history.
    std::string RunChromium(TBrowserKind kind, const std::string& profile, THistoryRows rows);
    // These files, and no others, exist but cannot be read.
    void Unreadable(std::initializer_list<std::string> paths);

    std::vector<FakeShellWindow> windows;
    std::set<std::string> windowClasses;
    // Visible windows as "class image".
    std::set<std::string> programWindows;
    std::string appData = "C:\\Users\\me\\AppData\\Roaming";
    std::string localAppData = "C:\\Users\\me\\AppData\\Local";
    MemoryFileSystem files;
    TAnsiCodePage codePage;
    FakeHistoryDatabase databases{files};
    std::string languageTag = "en-US";
    // Each property read, as "Name 0", "LocationURL 2", ...
    std::vector<std::string> reads;
};

} // namespace tsy::fakes
