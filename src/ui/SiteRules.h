#pragma once

#include "browsers/OpenPages.h"
#include "catalogue/Catalogue.h"
#include "support/Collation.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tsy {

// Site editor warnings; line breaks are line feed then carriage return.
inline constexpr const char* kInvalidSiteData =
    "Invalid site data.\n\rYou have to provide valid site name and "
    "either a valid search request URL or valid open request URL.";
inline constexpr const char* kInvalidSearchURL = "Specified search URL is invalid.";

// Why an address may not be stored in a site, or nothing when it may: only an address the
// program would open (IsWebPageAddress) is taken.
std::optional<std::string> CheckStoredAddress(std::string_view address);

// Name prompts.
inline constexpr const char* kCategoryNamePrompt = "Enter category name:";
inline constexpr const char* kCollectionNamePrompt = "Enter collection name:";
inline constexpr const char* kNewCategoryDefault = "<new category>";
inline constexpr const char* kAddCategoryCaption = "Add new category";
inline constexpr const char* kRenameCategoryCaption = "Rename category";
inline constexpr const char* kAddCollectionCaption = "Add collection";
inline constexpr const char* kRenameCollectionCaption = "Rename collection";
inline constexpr const char* kDeleteCategoryQuestion =
    "Do you want to delete selected category?\n\r\n\rSites assigned to this category will be re-assigned to "
    "(general) category.";
inline constexpr const char* kCategoryExists = "Category with specified name already exists.";
inline constexpr const char* kCategoryNameEmpty = "Category name should not be empty.";
inline constexpr const char* kCollectionExists = "Collection with specified name already exists.";
inline constexpr const char* kCollectionNameEmpty = "Collection name should not be empty.";

// The category box's last entry, which adds a category instead of naming one.
inline constexpr const char* kAddCategoryEntry = "(add category...)";

// A stored search template as the editor shows it: "%%" becomes "%", then "%s" becomes the
// probe word (letter case ignored in both).
std::string SearchURLToDisplay(std::string_view stored);
// The editor's text as a template: trimmed, every "%" doubled, then every probe word (any case)
// becomes "%s".
std::string SearchURLToStored(std::string_view display);

// The entries of the editor's encoding box: "(system code page)", "UTF-8", the encodings by
// first name, and last a stored name the program does not know, as it stands. Selected is the
// entry of the stored charset (an alias selects its encoding).
inline constexpr const char* kSystemCodePageEntry = "(system code page)";
inline constexpr const char* kUtf8Entry = "UTF-8";
struct TCharsetBoxEntries {
    std::vector<std::string> Items;
    int Selected = 0;
};
TCharsetBoxEntries CharsetBoxEntries(std::string_view stored);
// A site's charset after the user left the box at entry `chosen`: the stored value as it was when
// the entry is the one it showed; otherwise nothing for the system code page, "utf-8", or the
// encoding's lower-case first name.
std::string CharsetAfterEdit(std::string_view stored, int chosen);

// The warning for the first rule the editor's fields break, or nothing when they may be saved:
// a name and a URL, "StubText" in a search URL, then both URLs web addresses. The fields are taken
// as typed; they are trimmed here.
std::optional<std::string> ValidateSite(std::string_view name, std::string_view search,
                                        std::string_view open);

// Name prompts. Every function that takes a typed name trims it itself, so callers pass the input
// box's text as it is. `before` is the current name when renaming and empty when adding, so that
// an add of an existing name is refused with a warning rather than dropped silently.
// Each check returns the warning to show, or nothing when the name is accepted.
std::optional<std::string> CheckCategoryName(const TCategories& categories, std::string_view before,
                                             std::string_view entered);
std::optional<std::string> CheckCollectionName(const TCollections& collections, std::string_view before,
                                               std::string_view entered);

// The new category's index, or NotFound when the name exists.
std::int32_t AddCategoryNamed(TCategories& categories, std::string name);
// False when oldName names no category or the catalogue refuses the new name (which it does for
// the category's own name, unchanged or not).
bool RenameCategoryNamed(TCategories& categories, std::string_view oldName, std::string newName);
// Deletes the category and moves its sites to "(general)". An unknown name raises EBriefcase.
void DeleteCategoryAndClear(TCategories& categories, TTargets& targets, std::string_view name);

// Deletes the site with that id, unless it is read-only, and takes it out of every collection;
// false when the site was kept.
bool DeleteSiteEverywhere(TTargets& targets, TCollections& collections, std::int32_t id);

// The new collection's index, or NotFound when the name exists.
std::int32_t AddCollectionNamed(TCollections& collections, std::string name);
// False when oldName names no collection or the new name belongs to another one.
bool RenameCollectionNamed(TCollections& collections, std::string_view oldName, std::string newName);
// An unknown name raises EBriefcase.
void DeleteCollectionByName(TCollections& collections, std::string_view name);

// The entries of a category box: "(general)", the category names in the user's order ignoring
// case, then the add entry. Selected is the entry of catID, or 0 ("(general)") when catID is 0
// or names no category.
struct TCategoryBoxEntries {
    std::vector<std::string> Items;
    int Selected = 0;
};
TCategoryBoxEntries CategoryBoxEntries(const TCategories& categories, const ICollation& collation,
                                       std::int32_t catID);

// One row per collection, in catalogue order: its name and whether it holds siteId.
std::vector<std::pair<std::string, bool>> Memberships(const TCollections& collections, std::int32_t siteId);
// Rows are matched to collections by name ignoring case; a ticked row adds siteId (at the end of
// the order, once), an unticked one removes it. A row whose collection is gone is skipped.
void ApplyMemberships(TCollections& collections, std::int32_t siteId,
                      const std::vector<std::pair<std::string, bool>>& rows);

} // namespace tsy
