#pragma once

#include "browsers/Browser.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tsy {

// One page a browser has open or has recently shown.
struct TPageInfo {
    std::string URL;
    std::string Title;
};
using TPageInfos = std::vector<TPageInfo>;

// The word the user searches for so that the search text is easy to find in the resulting URL.
inline constexpr const char* kProbeWord = "StubText";

// The pieces of a URL as InternetCrackUrlA (no flags, buffers for these three) gives them.
struct TUrlParts {
    std::string HostName;
    std::string UrlPath;
    // Query and fragment, from the "?" (or the "#" when there is no "?") to the end.
    std::string ExtraInfo;
};

// Longest pieces the buffers hold; a longer piece makes the whole URL fail.
inline constexpr std::size_t kMaxCrackedHostName = 256;
inline constexpr std::size_t kMaxCrackedUrlPart = 2084;

// nullopt where the system's parser rejects the URL (no scheme, empty text, a piece too long).
std::optional<TUrlParts> CrackUrl(std::string_view url);

// Turns a page URL into a search template in the catalogue's stored form: every "%" of the page
// is doubled and the search text becomes "%s". The search text is the first probe word (any
// letter case), else the value of the first known search parameter. False, with url untouched,
// when no search text is found or the URL cannot be parsed.
bool RecognizeSearchURL(std::string& url);

// Appends the pages of a Firefox "history.dat" image.
void ParseHistoryDat(std::string_view bytes, TPageInfos& pages);

// One window of the shell, read property by property so that only the ones used are touched.
class IShellWindow {
public:
    virtual ~IShellWindow() = default;
    virtual std::string Name() = 0;
    virtual std::string LocationURL() = 0;
    virtual std::string LocationName() = 0;
    // nullopt when the document has no HTML title to offer.
    virtual std::optional<std::string> DocumentTitle() = 0;
};

// What the open-page listing needs from the system. Failures other than the ones documented
// raise.
class IOpenPagesPlatform {
public:
    virtual ~IOpenPagesPlatform() = default;
    // Calls visit for each shell window in index order until it answers false.
    virtual void ForEachShellWindow(const std::function<bool(IShellWindow&)>& visit) = 0;
    virtual bool TopLevelWindowExists(const std::string& className) = 0;
    // Without a trailing backslash.
    virtual std::string AppDataFolder() = 0;
    // The key's value, or the empty text when the file, section or key is missing.
    virtual std::string ReadIniString(const std::string& path, const std::string& section,
                                      const std::string& key) = 0;
    // nullopt when the file does not exist; other failures raise.
    virtual std::optional<std::string> ReadWholeFile(const std::string& path) = 0;
};

bool IsBrowserRunning(IOpenPagesPlatform& platform, TBrowserKind kind);
void AddBrowserPages(IOpenPagesPlatform& platform, TBrowserKind kind, TPageInfos& pages);
// Empties pages, then appends the pages of every running browser of kinds, lowest kind first.
void ListOpenPages(IOpenPagesPlatform& platform, TBrowserSet kinds, TPageInfos& pages);

// The folder of Firefox's "profiles.ini", with a trailing backslash.
std::string FirefoxFolder(IOpenPagesPlatform& platform);

} // namespace tsy
