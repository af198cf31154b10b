#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "catalogue/Catalogue.h"

namespace tsy {

inline constexpr const char* kSettingsCaption = "Customize Tessaly";
inline constexpr const char* kSettingsHelpKeyword = "Settings.Intro";
inline constexpr const char* kAdvancedHelpKeyword = "Settings.Advanced";
inline constexpr const char* kClearHistoryQuestion =
    "Do you want to clear recent searches history?\n\r(this action can't be reversed)";
inline constexpr const char* kDeleteCollectionsQuestion = "Do you want to delete selected collection(s)?";
inline constexpr const char* kDeleteSitesQuestion = "Do you want to delete selected site(s)?";

// The warning that refuses a command needing exactly one selected row, or nothing when the
// command may go on. `current` tells whether the command's list is the one that last had the
// focus: a selection in another list does not count.
std::optional<std::string> SingleSelectionRefusal(bool current, int selected, std::string_view noun,
                                                  std::string_view verb);
// The same for a command that takes one or more rows.
std::optional<std::string> SomeSelectionRefusal(bool current, int selected, std::string_view noun,
                                                std::string_view verb);

// What the catalogue tabs share: switching tabs shows the collection and site last selected.
struct TCatalogueTabState {
    std::string CurrentCollection;
    std::int32_t CurrentSite = NotFound;
    bool CollectionFilter = false;
};

// The selection of a tab's lists as its tab-leave step finds them.
struct TTabSelection {
    bool ListsCollections = false;    // the tab has a collections list
    std::string Collection;           // that list's selected caption, empty when none
    std::optional<std::int32_t> Site; // the selected site row's identifier, if a site row is selected
};

// The tab-leave step: the tab's selection becomes current. A tab without a collections list
// keeps the current collection; a tab without a selected site keeps the current site.
void LeaveTab(TCatalogueTabState& state, const TTabSelection& selection);

// The category the Categories tab selects on entry: the current site's, or nothing when the
// site is gone or in "(general)".
std::optional<std::int32_t> CategoryOfCurrentSite(const TCatalogueTabState& state, const TTargets& targets);

// The Submit Order tab in or out of random order: a random collection shows its sites by name
// and cannot be reordered.
struct TOrderMode {
    bool MoveButtons = false;
    bool ListEnabled = false;
    bool SortedByName = false;
};
TOrderMode OrderModeFor(bool randomOrder, std::int32_t collectionCount);

// Where Up or Down moves the row at index of count rows by delta; nothing at the ends.
std::optional<int> MovedIndex(int index, int delta, int count);

// The address a preview opens: the site's home page, or else its search URL expanded for the
// probe word itself. A template that cannot be expanded raises ESearchTemplate.
std::string PreviewURL(const TTarget& target);

// A site's category as the lists show it: its name, "(general)" for 0 or an unknown id.
std::string CategoryCaption(const TCategories& categories, std::int32_t catID);

} // namespace tsy
