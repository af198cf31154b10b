#pragma once

#include "browsers/SearchEngines.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Keywords.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tsy {

inline constexpr const char* kImportEnginesFormName = "ImportEnginesForm";
inline constexpr const char* kImportEnginesHelpKeyword = "Settings.ImportEngines";
inline constexpr const char* kNoEnginesFound = "No search engines were found in the installed browsers.";
inline constexpr const char* kInCatalogueMark = " (in the catalogue)";
inline constexpr const char* kNoCollectionEntry = "(none)";

// Whether two stored search templates name the same search: the letter case of scheme and host
// does not count, nor a "/" at the end or one between the host and a query.
bool SameSearchTemplate(std::string_view a, std::string_view b);

// Whether a site of the catalogue searches with the template already.
bool InCatalogue(const TTargets& targets, std::string_view searchTemplate);

// The home page of a search template: its scheme and host followed by "/"; empty for a
// template without "://".
std::string HomePageOf(std::string_view searchTemplate);

// The site an engine becomes, in the category; its id is given when it is added.
TTarget SiteOfEngine(const TSearchEngine& engine, std::int32_t catID);

// Adds a site for each engine, in order, and appends them in that order to `collection` (none
// when it is null). An engine's keyword comes along when it is a valid keyword that no site or
// collection has yet; `keywords` looks in `targets`. Returns the new sites' ids.
std::vector<std::int32_t> AddEngineSites(TTargets& targets, TCollection* collection,
                                         const TSearchEngines& engines, std::int32_t catID,
                                         const TKeywordContext& keywords);

} // namespace tsy
