#include "FakeOpenPagesPlatform.h"

#include <stdexcept>

namespace tsy::fakes {
namespace {

class Window : public IShellWindow {
public:
    Window(const FakeShellWindow& window, std::size_t index, std::vector<std::string>& reads)
        : window_(window), index_(std::to_string(index)), reads_(reads) {}
    std::string Name() override { return Read("Name", window_.Name); }
    std::string LocationURL() override { return Read("LocationURL", window_.LocationURL); }
    std::string LocationName() override { return Read("LocationName", window_.LocationName); }
    std::optional<std::string> DocumentTitle() override {
        reads_.push_back("DocumentTitle " + index_);
        return window_.DocumentTitle;
    }

private:
    std::string Read(const std::string& property, const std::string& value) {
        reads_.push_back(property + " " + index_);
        if (window_.failingProperties.count(property))
            throw std::runtime_error("Unable to read " + property + ".");
        return value;
    }

    const FakeShellWindow& window_;
    std::string index_;
    std::vector<std::string>& reads_;
};

} // namespace

void FakeOpenPagesPlatform::ForEachShellWindow(const std::function<bool(IShellWindow&)>& visit) {
    for (std::size_t i = 0; i < windows.size(); ++i) {
        Window window(windows[i], i, reads);
        if (!visit(window))
            return;
    }
}

bool FakeOpenPagesPlatform::TopLevelWindowExists(const std::string& className) {
    return windowClasses.count(className) != 0;
}

bool FakeOpenPagesPlatform::VisibleWindowOfProgram(const std::string& className,
                                                   const std::string& imageName) {
    return programWindows.count(className + " " + imageName) != 0;
}

namespace {

class Snapshot : public IDatabaseSnapshot {
public:
    explicit Snapshot(std::string path) : path_(std::move(path)) {}
    std::string DatabasePath() const override { return path_; }

private:
    std::string path_;
};

} // namespace

std::unique_ptr<IDatabaseSnapshot> FakeHistoryDatabase::Snapshot(const std::string& path) {
    if (!files_.ReadFile(path))
        return nullptr;
    return std::make_unique<fakes::Snapshot>(path);
}

std::optional<THistoryRows> FakeHistoryDatabase::Query(const std::string& path, const std::string& sql) {
    queries.push_back(path + ": " + sql);
    auto it = rows.find(path);
    if (it == rows.end() || corrupt.count(path))
        return std::nullopt;
    return it->second;
}

std::optional<TDatabaseTable> FakeHistoryDatabase::QueryTable(const std::string& path,
                                                              const std::string& sql) {
    queries.push_back(path + ": " + sql);
    auto database = tables.find(path);
    if (database == tables.end() || corrupt.count(path))
        return std::nullopt;
    for (const auto& [name, table] : database->second)
        if (sql.find("FROM " + name) != std::string::npos)
            return table;
    return std::nullopt;
}

void FakeOpenPagesPlatform::Unreadable(std::initializer_list<std::string> paths) {
    files.unreadableFiles.clear();
    for (const auto& path : paths)
        files.unreadableFiles.insert(MemoryFileSystem::Normalize(path));
}

void FakeOpenPagesPlatform::RunFirefox(const std::string& profilePath, std::optional<std::string> history) {
    windowClasses.insert("MozillaUIWindowClass");
    const std::string folder = appData + "\\Mozilla\\FireFox\\";
    files.AddFile(folder + "profiles.ini", "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\n"
                                           "Name=default\r\nIsRelative=1\r\nPath=" +
                                               profilePath + "\r\n");
    if (history)
        files.AddFile(folder + profilePath + "\\history.dat", *history);
}

std::string FakeOpenPagesPlatform::RunChromium(TBrowserKind kind, const std::string& profile,
                                               THistoryRows rows) {
    const bool chrome = kind == bkChrome;
    programWindows.insert(chrome ? "Chrome_WidgetWin_1 chrome.exe" : "Chrome_WidgetWin_1 msedge.exe");
    const std::string userData =
        localAppData + (chrome ? "\\Google\\Chrome\\User Data" : "\\Microsoft\\Edge\\User Data");
    files.AddFile(userData + "\\Local State", "{\"profile\":{\"last_used\":\"" + profile + "\"}}");
    const std::string database = userData + "\\" + profile + "\\History";
    files.AddFile(database, "");
    databases.rows[database] = std::move(rows);
    return database;
}

} // namespace tsy::fakes
