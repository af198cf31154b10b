#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tsy {

// Browser kind: 0 Internet Explorer, 1 Firefox, 2 Opera, 3 Chrome, 4 Edge, 5 whatever the system
// opens web links with; anything else none known.
using TBrowserKind = std::uint8_t;
inline constexpr TBrowserKind bkInternetExplorer = 0;
inline constexpr TBrowserKind bkFirefox = 1;
inline constexpr TBrowserKind bkOpera = 2;
inline constexpr TBrowserKind bkChrome = 3;
inline constexpr TBrowserKind bkEdge = 4;
inline constexpr TBrowserKind bkDefaultBrowser = 5;

// Chrome and Edge share their command line and their history layout.
inline bool IsChromium(TBrowserKind kind) {
    return kind == bkChrome || kind == bkEdge;
}

// Version packed as major << 16 | minor; -1 when the executable has no version resource.
using TBrowserVersion = std::int32_t;
inline int MajorVersion(TBrowserVersion version) {
    return int(std::uint32_t(version) >> 16);
}
inline int MinorVersion(TBrowserVersion version) {
    return int(std::uint32_t(version) & 0xFFFF);
}

// Installed set: bit k stands for kind k; kinds above 7 are never members.
using TBrowserSet = std::uint8_t;
inline bool InBrowserSet(TBrowserSet set, TBrowserKind kind) {
    return kind < 8 && (set >> kind & 1) != 0;
}

// Raised when a browser cannot be found, detected or driven.
class EBrowserError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What opening URLs and the settings need to know about browsers. Every call reads afresh.
class IBrowserInfo {
public:
    virtual ~IBrowserInfo() = default;
    // Kinds 0, 1, 3 and 4 test the application paths; the default browser is always there;
    // every other kind is false.
    virtual bool IsBrowserInstalled(TBrowserKind kind) {
        return kind == bkDefaultBrowser || InBrowserSet(DetectInstalledBrowsers(), kind);
    }
    // Raises "Unable to locate executable for %s browser." when there is none.
    virtual std::string GetBrowserPath(TBrowserKind kind) = 0;
    virtual TBrowserVersion GetBrowserVersion(TBrowserKind kind) = 0;
    // "%s %d.%d" of name, major and minor version; the default browser's bare name.
    virtual std::string BrowserDisplayName(TBrowserKind kind) = 0;
    // Raises "Unable to detect if browsers are installed." when the application paths cannot be read.
    virtual TBrowserSet DetectInstalledBrowsers() = 0;
    // Raises "Unable to detect default browser." when nothing opens "http".
    virtual TBrowserKind DetectDefaultBrowser() = 0;
};

} // namespace tsy
