#pragma once

#include "catalogue/Catalogue.h"
#include "controls/SearchHistory.h"
#include "support/CodePage.h"
#include "support/Collation.h"

#include <string>
#include <string_view>
#include <vector>

namespace tsy {

// The text the collections box shows for one collection: its name, or with NumberOfItems on
// its name and member count as "%s (%d)".
std::string CollectionDisplayText(std::string_view name, int count, bool numberOfItems);

struct TCollectionEntry {
    std::string Name;
    int Count = 0; // member entries of the collection
};

struct TCollectionList {
    std::vector<std::string> Texts; // sorted as the box shows them
    int SelectedIndex = -1;         // the collection named by the Collection setting, -1 for none
};

// The entries of the collections box: display texts sorted ignoring case, and the position of
// `selectedName` (matched ignoring case against the names, not the texts).
TCollectionList FillCollections(const std::vector<TCollectionEntry>& collections, bool numberOfItems,
                                std::string_view selectedName, const ICollation& collation);

// Whether the collection of that name has a site with a search URL, the one case in which a
// search text can be used; false for a name that names no collection.
bool CollectionCanSearch(const TCollections& collections, const TTargets& targets, std::string_view name);

// Every keyword of the catalogue with the name of its site or collection, for the search box.
std::vector<TKeywordChoice> KeywordChoices(const TTargets& targets, const TCollections& collections,
                                           const ICodePage& codePage);

} // namespace tsy
