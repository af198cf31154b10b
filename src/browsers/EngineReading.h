#pragma once

#include "browsers/HistoryDatabase.h"
#include "browsers/SearchEngines.h"

#include <string>
#include <string_view>

namespace tsy {

// Chrome's and Edge's engines: every column of their "keywords" table, picked by name.
inline constexpr const char* kChromiumKeywordsQuery = "SELECT * FROM keywords";
// Firefox's keyword bookmarks with the bookmark's name, else the page's title, else the keyword.
inline constexpr const char* kFirefoxKeywordsQuery =
    "SELECT k.keyword AS keyword, p.url AS url, k.post_data AS post_data, "
    "COALESCE((SELECT NULLIF(b.title, '') FROM moz_bookmarks b WHERE b.fk = p.id ORDER BY b.id LIMIT 1), "
    "NULLIF(p.title, ''), k.keyword) AS name FROM moz_keywords k JOIN moz_places p ON p.id = k.place_id "
    "ORDER BY k.id";

// Why the rows a browser keeps were not taken, row by row.
struct TSkippedEngines {
    // No address, or none that marks the search text.
    int NoSearch = 0;
    // An address that is no web page, such as the browser's own pages.
    int NotWeb = 0;
    // The browser's own "@" shortcuts (its bookmarks, history, tabs, its assistant), web
    // addresses among them: no engine the user chose.
    int StarterPack = 0;
    // A search sent as a form (POST), which the catalogue cannot open.
    int Posted = 0;
    // Switched off by the user.
    int Inactive = 0;
    // An address whose template would not expand: an unclosed "{", or the search text twice.
    int Unusable = 0;
};

// The engines of Chromium's "keywords" rows, texts as the browser keeps them (UTF-8).
TSearchEngines ChromiumEngines(const TDatabaseTable& keywords, TBrowserKind kind, const std::string& language,
                               TSkippedEngines& skipped);
// The engines of Firefox's keyword bookmarks (columns as kFirefoxKeywordsQuery names them).
TSearchEngines FirefoxKeywordEngines(const TDatabaseTable& keywords, const std::string& language,
                                     TSkippedEngines& skipped);
// The engines the user added to Firefox, from the JSON text of its "search.json.mozlz4".
TSearchEngines FirefoxAddedEngines(std::string_view searchJson, const std::string& language,
                                   TSkippedEngines& skipped);

} // namespace tsy
