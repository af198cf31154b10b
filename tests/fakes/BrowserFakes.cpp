#include "BrowserFakes.h"

#include <algorithm>
#include <stdexcept>

namespace tsy::fakes {

TBrowserVersion FakeVersionReader::ProductVersion(const std::string& path) {
    asked.push_back(path);
    auto it = versions.find(path);
    return it == versions.end() ? -1 : it->second;
}

std::optional<std::string> FakeProtocolAssociation::OpenExecutable(std::string_view protocol) {
    auto it = executables.find(std::string(protocol));
    if (it == executables.end())
        return std::nullopt;
    return it->second;
}

namespace {

class FakeInternetExplorer : public IInternetExplorer {
public:
    explicit FakeInternetExplorer(FakeBrowserDriver& driver) : driver_(driver) {}
    ~FakeInternetExplorer() override { driver_.calls.push_back("release"); }

    void Navigate(const std::string& url) override {
        Fail(url);
        driver_.calls.push_back("navigate " + url);
    }
    void Navigate(const std::string& url, int flags) override {
        Fail(url);
        driver_.calls.push_back("navigate " + url + " " + std::to_string(flags));
    }
    void Show() override { driver_.calls.push_back("show"); }

private:
    void Fail(const std::string& url) {
        auto& failing = driver_.failingUrls;
        if (std::find(failing.begin(), failing.end(), url) != failing.end()) {
            driver_.calls.push_back("failed " + url);
            throw std::runtime_error("Navigation failed");
        }
    }
    FakeBrowserDriver& driver_;
};

} // namespace

std::unique_ptr<IInternetExplorer> FakeBrowserDriver::CreateInternetExplorer() {
    if (failCreate)
        throw std::runtime_error("Class not registered");
    calls.push_back("create");
    return std::make_unique<FakeInternetExplorer>(*this);
}

void FakeBrowserDriver::StartProcess(const std::string& executable, const std::string& parameters,
                                     bool waitUntilReady) {
    calls.push_back((waitUntilReady ? "start+wait " : "start ") + executable + " " + parameters);
    for (const auto& mark : failingStarts)
        if (parameters.find(mark) != std::string::npos)
            throw EBrowserError("Unable to start " + mark);
}

void FakeBrowserDriver::OpenDocument(const std::string& url) {
    calls.push_back("open " + url);
    if (std::find(failingUrls.begin(), failingUrls.end(), url) != failingUrls.end())
        throw EBrowserError("Unable to open " + url);
}

std::vector<std::string> ShownBoxes(const RecordingMessageBoxes& boxes) {
    static const char* const kinds[] = {"Warning", "Confirm", "Information", "Error"};
    std::vector<std::string> texts;
    for (const auto& box : boxes.shown)
        texts.push_back(std::string(kinds[int(box.kind)]) + ": " + box.text);
    return texts;
}

} // namespace tsy::fakes
