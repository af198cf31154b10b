// Arbitrary sites and collections files: the load and the repair must not
// fail, must leave a consistent catalogue, and its save must load back with
// the same ids.
#include "AnsiCollation.h"
#include "catalogue/CatalogueFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

std::vector<std::int32_t> SortedSiteIDs(const tsy::TTargets& targets) {
    std::vector<std::int32_t> ids;
    for (const tsy::TTarget& target : targets)
        ids.push_back(target.ID);
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::vector<std::int32_t> SortedCategoryIDs(const tsy::TCategories& categories) {
    std::vector<std::int32_t> ids;
    for (const tsy::TCategory& category : categories)
        ids.push_back(category.ID);
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first "\x01\x01" splits the input into the sites file and the collections file.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find("\x01\x01");
    const std::string_view sites = input.substr(0, split);
    const std::string_view groups =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 2);

    tsy::TAnsiCollation collation;
    tsy::TTargets targets;
    tsy::TCollections collections(collation);
    tsy::TCategories categories(collation);
    tsy::ReadTargets(targets, tsy::TIniFile(sites), false);
    const tsy::TIniFile groupsIni(groups);
    tsy::ReadCollections(collections, groupsIni);
    tsy::ReadCategories(categories, groupsIni);
    tsy::CheckIntegrity(targets, collections, categories);

    for (const tsy::TCategory& category : categories)
        Check(category.ID >= 1);
    for (const tsy::TTarget& target : targets) {
        Check(target.ID >= 1);
        Check(target.CatID == 0 || categories.IndexOfID(target.CatID) != tsy::NotFound);
    }
    const std::vector<std::int32_t> siteIDs = SortedSiteIDs(targets);
    Check(std::adjacent_find(siteIDs.begin(), siteIDs.end()) == siteIDs.end());
    for (std::int32_t i = 0; i < collections.Count(); ++i)
        for (std::int32_t entry : collections.GetItem(i).IDs())
            Check(targets.IndexOf(entry) != tsy::NotFound);

    tsy::TTargets reloaded;
    tsy::TCollections reloadedCollections(collation);
    tsy::TCategories reloadedCategories(collation);
    tsy::ReadTargets(reloaded, tsy::TIniFile(tsy::TargetsFileText(targets, false)), false);
    const tsy::TIniFile saved(tsy::CollectionsFileText(collections, categories));
    tsy::ReadCollections(reloadedCollections, saved);
    tsy::ReadCategories(reloadedCategories, saved);
    Check(SortedSiteIDs(reloaded) == siteIDs);
    Check(SortedCategoryIDs(reloadedCategories) == SortedCategoryIDs(categories));
    Check(reloadedCollections.Count() == collections.Count());
    return 0;
}
