#pragma once

#include "browsers/Browser.h"
#include "browsers/HistoryDatabase.h"
#include "support/CodePage.h"
#include "support/FileSystem.h"

#include <functional>
#include <memory>
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

// A copy of a database file, with its journal files, in a folder of its own that nothing else
// uses; the copies and the folder go when it is destroyed.
class IDatabaseSnapshot {
public:
    virtual ~IDatabaseSnapshot() = default;
    // The copy's path in the form the database library opens (UTF-8).
    virtual std::string DatabasePath() const = 0;
};

// The desktop as the open-page listing sees it. Failures other than the ones documented raise.
class IBrowserWindows {
public:
    virtual ~IBrowserWindows() = default;
    // Calls visit for each shell window in index order until it answers false.
    virtual void ForEachShellWindow(const std::function<bool(IShellWindow&)>& visit) = 0;
    virtual bool TopLevelWindowExists(const std::string& className) = 0;
    // Whether a visible top-level window of the class belongs to a process whose image has the
    // file name `imageName` (any letter case).
    virtual bool VisibleWindowOfProgram(const std::string& className, const std::string& imageName) = 0;
    // The roaming and the local application-data folders, without a trailing backslash.
    virtual std::string AppDataFolder() = 0;
    virtual std::string LocalAppDataFolder() = 0;
    // The user's language as a tag such as "en-US".
    virtual std::string LanguageTag() = 0;
};

class IDatabaseSnapshots {
public:
    virtual ~IDatabaseSnapshots() = default;
    // A copy of the database with its "-wal" and "-journal" files where they exist; nullptr
    // when the database is missing or cannot be copied (a browser may hold it locked).
    virtual std::unique_ptr<IDatabaseSnapshot> Snapshot(const std::string& path) = 0;
};

// What the open-page listing and the engine import need of the system.
struct TBrowserSystem {
    IBrowserWindows& Windows;
    const IFileSystem& Files;
    const ICodePage& CodePage;
    IDatabaseSnapshots& Snapshots;
    IHistoryDatabase& Database;
};

// Firefox runs when a window of either of its classes is there; Chrome and Edge when one of
// their visible windows is.
bool IsBrowserRunning(IBrowserWindows& windows, TBrowserKind kind);
void AddBrowserPages(const TBrowserSystem& system, TBrowserKind kind, TPageInfos& pages);
// Empties pages, then appends the pages of every running browser of kinds, lowest kind first.
void ListOpenPages(const TBrowserSystem& system, TBrowserSet kinds, TPageInfos& pages);

// The folder of Firefox's "profiles.ini", with a trailing backslash.
std::string FirefoxFolder(IBrowserWindows& windows);

} // namespace tsy
