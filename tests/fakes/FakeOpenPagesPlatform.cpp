#include "FakeOpenPagesPlatform.h"

#include "support/FileSystem.h"

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

std::string FakeOpenPagesPlatform::ReadIniString(const std::string& path, const std::string& section,
                                                 const std::string& key) {
    auto it = iniValues.find({path, section, key});
    return it == iniValues.end() ? std::string() : it->second;
}

std::optional<std::string> FakeOpenPagesPlatform::ReadWholeFile(const std::string& path) {
    if (unreadableFiles.count(path))
        throw EFileError("Access is denied.");
    auto it = files.find(path);
    if (it == files.end())
        return std::nullopt;
    return it->second;
}

void FakeOpenPagesPlatform::RunFirefox(const std::string& profilePath, std::optional<std::string> history) {
    windowClasses.insert("MozillaUIWindowClass");
    const std::string folder = appData + "\\Mozilla\\FireFox\\";
    iniValues[{folder + "profiles.ini", "Profile0", "Path"}] = profilePath;
    std::string profile = profilePath;
    for (char& c : profile) {
        if (c == '/')
            c = '\\';
    }
    if (history)
        files[folder + profile + "\\history.dat"] = std::move(*history);
}

} // namespace tsy::fakes
