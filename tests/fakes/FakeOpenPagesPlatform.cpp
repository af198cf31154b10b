#include "FakeOpenPagesPlatform.h"

#include "support/FileSystem.h"

#include <algorithm>
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

bool FakeOpenPagesPlatform::FileExists(const std::string& path) {
    return files.count(path) != 0 || unreadableFiles.count(path) != 0 || databases.rows.count(path) != 0 ||
           databases.tables.count(path) != 0 || databases.corrupt.count(path) != 0;
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

std::unique_ptr<IDatabaseSnapshot> FakeOpenPagesPlatform::SnapshotDatabase(const std::string& path) {
    if (!FileExists(path) || unreadableFiles.count(path))
        return nullptr;
    return std::make_unique<Snapshot>(path);
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

std::optional<std::string> FakeOpenPagesPlatform::ReadWholeFile(const std::string& path) {
    if (unreadableFiles.count(path))
        throw EFileError("Access is denied.");
    auto it = files.find(path);
    if (it == files.end())
        return std::nullopt;
    return it->second;
}

std::optional<std::string> FakeOpenPagesPlatform::FromUtf8Exactly(const std::string& text) {
    if (std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        return std::nullopt;
    return text;
}

void FakeOpenPagesPlatform::RunFirefox(const std::string& profilePath, std::optional<std::string> history) {
    windowClasses.insert("MozillaUIWindowClass");
    const std::string folder = appData + "\\Mozilla\\FireFox\\";
    files[folder + "profiles.ini"] =
        "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=default\r\n"
        "IsRelative=1\r\nPath=" +
        profilePath + "\r\n";
    std::string profile = profilePath;
    for (char& c : profile) {
        if (c == '/')
            c = '\\';
    }
    if (history)
        files[folder + profile + "\\history.dat"] = std::move(*history);
}

std::string FakeOpenPagesPlatform::RunChromium(TBrowserKind kind, const std::string& profile,
                                               THistoryRows rows) {
    const bool chrome = kind == bkChrome;
    programWindows.insert(chrome ? "Chrome_WidgetWin_1 chrome.exe" : "Chrome_WidgetWin_1 msedge.exe");
    const std::string userData =
        localAppData + (chrome ? "\\Google\\Chrome\\User Data" : "\\Microsoft\\Edge\\User Data");
    files[userData + "\\Local State"] = "{\"profile\":{\"last_used\":\"" + profile + "\"}}";
    const std::string database = userData + "\\" + profile + "\\History";
    databases.rows[database] = std::move(rows);
    return database;
}

} // namespace tsy::fakes
