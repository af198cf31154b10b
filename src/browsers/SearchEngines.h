#pragma once

#include "browsers/Browser.h"
#include "browsers/OpenPages.h"

#include <string>
#include <vector>

namespace tsy {

// A search engine that a browser's profile keeps, in the catalogue's terms: texts in the ANSI
// code page, the search address with "%s" where the search text goes.
struct TSearchEngine {
    std::string Name;
    // As the browser keeps it; empty when the engine has none.
    std::string Keyword;
    std::string SearchURL;
    // The encoding the engine expects its search text in; "UTF-8" when it names none.
    std::string Charset;
    TBrowserKind Browser = bkFirefox;
};
using TSearchEngines = std::vector<TSearchEngine>;

// The engines of the current profiles of the browsers in `kinds` (Firefox, Chrome, Edge), each
// browser's in the order its files keep them. A missing, locked or corrupt file adds nothing.
TSearchEngines FindSearchEngines(const TBrowserSystem& system, TBrowserSet kinds);

} // namespace tsy
