#include "ui/SiteRules.h"

#include "browsers/Charsets.h"
#include "browsers/SearchUrl.h"
#include "support/Format.h"
#include "support/Text.h"
#include "support/WebAddress.h"

#include <algorithm>

namespace tsy {

std::string SearchURLToDisplay(std::string_view stored) {
    return ReplaceIgnoreAsciiCase(ReplaceIgnoreAsciiCase(stored, "%%", "%"), "%s", kProbeWord);
}

std::string SearchURLToStored(std::string_view display) {
    return ReplaceIgnoreAsciiCase(ReplaceIgnoreAsciiCase(TrimText(display), "%", "%%"), kProbeWord, "%s");
}

TCharsetBoxEntries CharsetBoxEntries(std::string_view stored) {
    TCharsetBoxEntries entries;
    entries.Items = {kSystemCodePageEntry, kUtf8Entry};
    const std::optional<std::uint32_t> codePage = CodePageOfCharset(stored);
    if (codePage == kUtf8CodePage)
        entries.Selected = 1;
    for (const std::string_view name : EncodingNames()) {
        if (codePage == CodePageOfCharset(name))
            entries.Selected = static_cast<int>(entries.Items.size());
        entries.Items.emplace_back(name);
    }
    if (!stored.empty() && !codePage) {
        entries.Selected = static_cast<int>(entries.Items.size());
        entries.Items.emplace_back(stored);
    }
    return entries;
}

std::string CharsetAfterEdit(std::string_view stored, int chosen) {
    const TCharsetBoxEntries entries = CharsetBoxEntries(stored);
    if (chosen == entries.Selected || chosen < 0 || chosen >= static_cast<int>(entries.Items.size()))
        return std::string(stored);
    if (chosen == 0)
        return std::string();
    if (chosen == 1)
        return kUtf8Charset;
    // The unknown name is only ever the entry it showed, so any other is an encoding.
    return entries.Items[static_cast<std::size_t>(chosen)];
}

std::optional<std::string> CheckStoredAddress(std::string_view address) {
    const std::string trimmed(TrimText(address));
    if (IsWebPageAddress(trimmed))
        return std::nullopt;
    return Format("Only web addresses can be stored: \"%s\" is not an http or https address.",
                  trimmed.c_str());
}

std::optional<std::string> ValidateSite(std::string_view name, std::string_view search,
                                        std::string_view open) {
    const std::string_view trimmedSearch = TrimText(search);
    if (TrimText(name).empty() || (trimmedSearch.empty() && TrimText(open).empty())) {
        return kInvalidSiteData;
    }
    if (!trimmedSearch.empty() && !ContainsIgnoreAsciiCase(trimmedSearch, kProbeWord)) {
        return kInvalidSearchURL;
    }
    if (auto refusal = CheckStoredAddress(open))
        return refusal;
    return CheckStoredAddress(trimmedSearch);
}

std::optional<std::string> CheckCategoryName(const TCategories& categories, std::string_view before,
                                             std::string_view entered) {
    const std::string_view name = TrimText(entered);
    if (name.empty()) {
        return kCategoryNameEmpty;
    }
    if (name == before || categories.IndexOfName(name) == NotFound) {
        return std::nullopt;
    }
    return kCategoryExists;
}

std::optional<std::string> CheckCollectionName(const TCollections& collections, std::string_view before,
                                               std::string_view entered) {
    const std::string_view name = TrimText(entered);
    if (name.empty()) {
        return kCollectionNameEmpty;
    }
    if (name != before && collections.IndexOfName(name) != NotFound) {
        return kCollectionExists;
    }
    return std::nullopt;
}

std::int32_t AddCategoryNamed(TCategories& categories, std::string name) {
    return categories.Add(std::string(TrimText(name)));
}

bool RenameCategoryNamed(TCategories& categories, std::string_view oldName, std::string newName) {
    const std::int32_t index = categories.IndexOfName(oldName);
    return index != NotFound && categories.Rename(index, std::string(TrimText(newName)));
}

void DeleteCategoryAndClear(TCategories& categories, TTargets& targets, std::string_view name) {
    const std::int32_t index = categories.IndexOfName(name);
    // The id is needed after the record is gone.
    const std::int32_t id = categories.GetItem(index).ID;
    categories.Delete(index);
    targets.ClearCategory(id);
}

bool DeleteSiteEverywhere(TTargets& targets, TCollections& collections, std::int32_t id) {
    if (!targets.Delete(targets.IndexOf(id)))
        return false;
    for (TCollection& collection : collections)
        collection.Remove(id);
    return true;
}

std::int32_t AddCollectionNamed(TCollections& collections, std::string name) {
    return collections.Add(std::string(TrimText(name)));
}

bool RenameCollectionNamed(TCollections& collections, std::string_view oldName, std::string newName) {
    const std::int32_t index = collections.IndexOfName(oldName);
    return index != NotFound && collections.Rename(index, std::string(TrimText(newName)));
}

void DeleteCollectionByName(TCollections& collections, std::string_view name) {
    collections.Delete(collections.IndexOfName(name));
}

TCategoryBoxEntries CategoryBoxEntries(const TCategories& categories, const ICollation& collation,
                                       std::int32_t catID) {
    std::vector<std::string> names;
    for (const TCategory& category : categories) {
        names.push_back(category.Name);
    }
    std::stable_sort(names.begin(), names.end(), [&collation](const std::string& a, const std::string& b) {
        return collation.CompareIgnoreCase(a, b) < 0;
    });

    TCategoryBoxEntries entries;
    entries.Items.reserve(names.size() + 2);
    entries.Items.emplace_back(GeneralCategoryName);
    entries.Items.insert(entries.Items.end(), names.begin(), names.end());
    entries.Items.emplace_back(kAddCategoryEntry);

    const std::int32_t index = categories.IndexOfID(catID);
    if (index != NotFound) {
        const std::string name = categories.GetItem(index).Name;
        // Only the category names, so a stored category called "(general)" selects itself.
        const auto first = entries.Items.begin() + 1;
        const auto last = entries.Items.end() - 1;
        const auto found = std::find(first, last, name);
        if (found != last) {
            entries.Selected = static_cast<int>(found - entries.Items.begin());
        }
    }
    return entries;
}

std::vector<std::pair<std::string, bool>> Memberships(const TCollections& collections, std::int32_t siteId) {
    std::vector<std::pair<std::string, bool>> rows;
    for (const TCollection& collection : collections) {
        rows.emplace_back(collection.Name(), collection.Contains(siteId));
    }
    return rows;
}

void ApplyMemberships(TCollections& collections, std::int32_t siteId,
                      const std::vector<std::pair<std::string, bool>>& rows) {
    for (const auto& [name, ticked] : rows) {
        const std::int32_t index = collections.IndexOfName(name);
        if (index == NotFound) {
            continue;
        }
        TCollection& collection = collections.GetItem(index);
        if (ticked) {
            collection.Add(siteId);
        } else {
            collection.Remove(siteId);
        }
    }
}

} // namespace tsy
