#pragma once

#include "browsers/Browser.h"
#include "support/Collation.h"
#include "support/DebugOutput.h"
#include "support/KeyValueStore.h"

#include <optional>
#include <string>
#include <string_view>

namespace tsy {

// Where the system registers the executables of installed programs (under LocalMachine, and
// under CurrentUser for programs installed per user).
inline constexpr std::string_view AppPathsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";

// "Internet Explorer", "FireFox", "Opera", "Chrome", "Edge", "Default browser" or "<unknown>".
std::string BrowserName(TBrowserKind kind);
// The executable name a browser is registered under in the application paths; empty when it has none.
std::string_view BrowserExecutableName(TBrowserKind kind);
// The file-name part of a path: the text after the last "\" or ":".
std::string_view FileNamePart(std::string_view path);

// Reads the product version of an executable's version resource.
class IVersionReader {
public:
    virtual ~IVersionReader() = default;
    // The most significant half of the product version; -1 when the file has no version resource.
    virtual TBrowserVersion ProductVersion(const std::string& path) = 0;
};

// Asks the system which executable opens a protocol's links.
class IProtocolAssociation {
public:
    virtual ~IProtocolAssociation() = default;
    // The executable's full path for the verb "open"; nullopt when the query fails.
    virtual std::optional<std::string> OpenExecutable(std::string_view protocol) = 0;
};

// Browser facts from the application paths, version resources and the "http" association.
// Nothing is cached: every call asks afresh.
class TBrowserDetection : public IBrowserInfo {
public:
    TBrowserDetection(IKeyValueStore& registry, IVersionReader& versions, IProtocolAssociation& associations,
                      const ICollation& collation, IDebugOutput& debug);

    bool IsBrowserInstalled(TBrowserKind kind) override;
    TBrowserSet DetectInstalledBrowsers() override;
    std::string GetBrowserPath(TBrowserKind kind) override;
    TBrowserVersion GetBrowserVersion(TBrowserKind kind) override;
    std::string BrowserDisplayName(TBrowserKind kind) override;
    TBrowserKind DetectDefaultBrowser() override;

private:
    IKeyValueStore& registry_;
    IVersionReader& versions_;
    IProtocolAssociation& associations_;
    const ICollation& collation_;
    IDebugOutput& debug_;
};

} // namespace tsy
