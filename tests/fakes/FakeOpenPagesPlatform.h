#pragma once

#include "browsers/OpenPages.h"

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
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

// History databases by path, each with the rows a query gives; a path in `corrupt` fails.
class FakeHistoryDatabase : public IHistoryDatabase {
public:
    std::optional<THistoryRows> Query(const std::string& path, const std::string& sql) override;
    std::optional<TDatabaseTable> QueryTable(const std::string& path, const std::string& sql) override;
    std::map<std::string, THistoryRows> rows;
    // What a query by column names gives, by path, then by the table the query reads FROM.
    std::map<std::string, std::map<std::string, TDatabaseTable>> tables;
    std::set<std::string> corrupt;
    // Each query as "PATH: SQL".
    std::vector<std::string> queries;
};

// The system as fields: shell windows, top-level window classes, files and history databases.
// A snapshot of a database is the database itself; the text conversion keeps text as it is.
class FakeOpenPagesPlatform : public IOpenPagesPlatform {
public:
    void ForEachShellWindow(const std::function<bool(IShellWindow&)>& visit) override;
    bool TopLevelWindowExists(const std::string& className) override;
    bool VisibleWindowOfProgram(const std::string& className, const std::string& imageName) override;
    std::string AppDataFolder() override { return appData; }
    std::string LocalAppDataFolder() override { return localAppData; }
    std::optional<std::string> ReadWholeFile(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    std::unique_ptr<IDatabaseSnapshot> SnapshotDatabase(const std::string& path) override;
    IHistoryDatabase& HistoryDatabase() override { return databases; }
    std::string FromUtf8(const std::string& text) override { return text; }
    // The exact conversion knows ASCII only, as the narrowest code page would.
    std::optional<std::string> FromUtf8Exactly(const std::string& text) override;
    std::string LanguageTag() override { return languageTag; }

    // Runs Firefox with its profile at profilePath (as profiles.ini writes it) and the history
    // image, when given, in that profile's folder.
    void RunFirefox(const std::string& profilePath, std::optional<std::string> history);
    // Shows a window of Chrome (or Edge) and gives its profile the rows as its history.
    std::string RunChromium(TBrowserKind kind, const std::string& profile, THistoryRows rows);

    std::vector<FakeShellWindow> windows;
    std::set<std::string> windowClasses;
    // Visible windows as "class image".
    std::set<std::string> programWindows;
    std::string appData = "C:\\Users\\me\\AppData\\Roaming";
    std::string localAppData = "C:\\Users\\me\\AppData\\Local";
    std::map<std::string, std::string> files;
    // Files that exist but cannot be read.
    std::set<std::string> unreadableFiles;
    FakeHistoryDatabase databases;
    std::string languageTag = "en-US";
    // Each property read, as "Name 0", "LocationURL 2", ...
    std::vector<std::string> reads;
};

} // namespace tsy::fakes
