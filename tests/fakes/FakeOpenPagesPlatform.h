#pragma once

#include "browsers/OpenPages.h"

#include <map>
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

// The system as fields: shell windows, top-level window classes, INI values and files.
class FakeOpenPagesPlatform : public IOpenPagesPlatform {
public:
    void ForEachShellWindow(const std::function<bool(IShellWindow&)>& visit) override;
    bool TopLevelWindowExists(const std::string& className) override;
    std::string AppDataFolder() override { return appData; }
    std::string ReadIniString(const std::string& path, const std::string& section,
                              const std::string& key) override;
    std::optional<std::string> ReadWholeFile(const std::string& path) override;

    // Runs Firefox with its profile at profilePath (as profiles.ini writes it) and the history
    // image, when given, in that profile's folder.
    void RunFirefox(const std::string& profilePath, std::optional<std::string> history);

    std::vector<FakeShellWindow> windows;
    std::set<std::string> windowClasses;
    std::string appData = "C:\\Users\\me\\AppData\\Roaming";
    std::map<std::tuple<std::string, std::string, std::string>, std::string> iniValues;
    std::map<std::string, std::string> files;
    // Files that exist but cannot be read.
    std::set<std::string> unreadableFiles;
    // Each property read, as "Name 0", "LocationURL 2", ...
    std::vector<std::string> reads;
};

} // namespace tsy::fakes
