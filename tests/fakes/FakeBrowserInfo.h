#pragma once

#include "browsers/Browser.h"

#include <map>
#include <optional>
#include <stdexcept>
#include <string>

namespace tsy::fakes {

// Browser information from fields a test arranges. A kind without a path raises
// the "Unable to locate executable" error, as the real detection does.
class FakeBrowserInfo : public IBrowserInfo {
public:
    std::string GetBrowserPath(TBrowserKind kind) override;
    TBrowserVersion GetBrowserVersion(TBrowserKind kind) override;
    std::string BrowserDisplayName(TBrowserKind kind) override;
    TBrowserSet DetectInstalledBrowsers() override;
    TBrowserKind DetectDefaultBrowser() override;

    // Registers an installed browser with its executable and version.
    void Install(TBrowserKind kind, int major, int minor, std::string path = {});

    std::map<TBrowserKind, std::string> paths;
    std::map<TBrowserKind, TBrowserVersion> versions;
    TBrowserKind defaultBrowser = bkInternetExplorer;
    TBrowserSet installed = 0;
    // When set, DetectInstalledBrowsers raises this text.
    std::optional<std::string> detectionError;
    int detectCalls = 0;
    // When set, DetectDefaultBrowser raises this text; every call is counted.
    std::optional<std::string> defaultDetectionError;
    int defaultDetectCalls = 0;
};

} // namespace tsy::fakes
