#pragma once

#include "AnsiCollation.h"
#include "FakeKeyValueStore.h"
#include "RecordingMessageBoxes.h"
#include "browsers/BrowserDetection.h"
#include "browsers/OpenUrls.h"
#include "support/DebugOutput.h"

#include <exception>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tsy::fakes {

// Version resources by path; a path that is not listed has none.
class FakeVersionReader : public IVersionReader {
public:
    TBrowserVersion ProductVersion(const std::string& path) override;
    std::map<std::string, TBrowserVersion> versions;
    std::vector<std::string> asked;
};

// The "http" association; nullopt makes the query fail.
class FakeProtocolAssociation : public IProtocolAssociation {
public:
    std::optional<std::string> OpenExecutable(std::string_view protocol) override;
    std::map<std::string, std::string> executables;
};

class RecordingDebugOutput : public IDebugOutput {
public:
    void Write(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

// Records what would be done to the browser as lines such as "create", "navigate URL 4096", "show",
// "start PATH PARAMETERS" ("start+wait ..." when the driver must wait for the program), "open URL".
// Navigations and shell opens of URLs listed in `failingUrls` raise, as do starts whose
// parameters hold one of `failingStarts`.
class FakeBrowserDriver : public IBrowserDriver {
public:
    std::unique_ptr<IInternetExplorer> CreateInternetExplorer() override;
    void StartProcess(const std::string& executable, const std::string& parameters,
                      bool waitUntilReady) override;
    void OpenDocument(const std::string& url) override;

    std::vector<std::string> calls;
    std::vector<std::string> failingUrls;
    std::vector<std::string> failingStarts;
    bool failCreate = false;
};

// Browser detection over fakes of everything it reads.
struct TDetectionRig {
    FakeKeyValueStore registry;
    FakeVersionReader versions;
    FakeProtocolAssociation associations;
    TAnsiCollation collation;
    RecordingDebugOutput debug;
    TBrowserDetection detection{registry, versions, associations, collation, debug};
};

// The text of the exception of type E that call raises, or "(no error)".
template <class E = std::exception, class F> std::string ErrorOf(F&& call) {
    try {
        call();
    } catch (const E& e) {
        return e.what();
    }
    return "(no error)";
}

// Every box shown so far as "Warning: text", "Error: text" and so on.
std::vector<std::string> ShownBoxes(const RecordingMessageBoxes& boxes);

} // namespace tsy::fakes
