#pragma once

#include "browsers/OpenPages.h"

#include <optional>
#include <string>
#include <string_view>

namespace tsy {

inline constexpr const char* kFirefoxHistoryQuery =
    "SELECT url, title FROM moz_places WHERE last_visit_date IS NOT NULL ORDER BY last_visit_date DESC "
    "LIMIT 200";
inline constexpr const char* kChromiumHistoryQuery =
    "SELECT url, title FROM urls ORDER BY last_visit_time DESC LIMIT 200";

// The profile folder, without a trailing backslash, that a "profiles.ini" text names: the
// default of an [Install...] section, else the [Profile...] with "Default=1", else [Profile0].
// A relative path is taken from `firefoxFolder` (which ends with a backslash). nullopt when the
// chosen section names no path, a relative one that holds "..", or an absolute one that is no
// local drive path (a share or a device path).
std::optional<std::string> FirefoxProfileFolder(std::string_view firefoxFolder, std::string_view profilesIni);

// The profile that "profile.last_used" of a "Local State" text names, as UTF-8; "Default" when
// there is none or it is no plain folder name.
std::string ChromiumProfileName(std::string_view localState);

// Whether the URL is an http or https page.
bool IsWebPage(std::string_view url);

// Appends the web pages of a history database in the order of the query, leaving out URLs
// already in the list. A database that is missing, locked or corrupt adds nothing.
void AddDatabasePages(const TBrowserSystem& system, const std::string& path, const std::string& query,
                      TPageInfos& pages);

// The folder, without a trailing backslash, of Firefox's current profile: the one its
// "profiles.ini" names, else Firefox's own folder (with its backslash).
std::string FirefoxProfile(const TBrowserSystem& system);
// The folder of the last used profile of Chrome or Edge.
std::string ChromiumProfile(const TBrowserSystem& system, TBrowserKind kind);

// Firefox's pages: its "places.sqlite", or where there is none its "history.dat".
void AddFirefoxPages(const TBrowserSystem& system, TPageInfos& pages);
// The pages of the last used profile of Chrome or Edge.
void AddChromiumPages(const TBrowserSystem& system, TBrowserKind kind, TPageInfos& pages);

} // namespace tsy
