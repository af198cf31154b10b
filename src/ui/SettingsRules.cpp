#include "ui/SettingsRules.h"

#include "browsers/OpenPages.h"
#include "browsers/SearchUrl.h"

namespace tsy {

namespace {

std::string Fill(std::string_view pattern, std::string_view noun, std::string_view verb) {
    std::string text(pattern);
    for (std::string_view word : {noun, verb})
        if (const auto at = text.find("%s"); at != std::string::npos)
            text.replace(at, 2, word);
    return text;
}

} // namespace

std::optional<std::string> SingleSelectionRefusal(bool current, int selected, std::string_view noun,
                                                  std::string_view verb) {
    if (current && selected == 1)
        return std::nullopt;
    if (current && selected > 1)
        return Fill("You have to select a single %s to %s.", noun, verb);
    return Fill("Please, select a %s to %s first.", noun, verb);
}

void LeaveTab(TCatalogueTabState& state, const TTabSelection& selection) {
    if (selection.ListsCollections)
        state.CurrentCollection = selection.Collection;
    if (selection.Site)
        state.CurrentSite = *selection.Site;
}

std::optional<std::int32_t> CategoryOfCurrentSite(const TCatalogueTabState& state, const TTargets& targets) {
    const std::int32_t index = targets.IndexOf(state.CurrentSite);
    if (index == NotFound || targets.GetItem(index).CatID == 0)
        return std::nullopt;
    return targets.GetItem(index).CatID;
}

TOrderMode OrderModeFor(bool randomOrder, std::int32_t collectionCount) {
    return {!randomOrder, collectionCount > 0 && !randomOrder, randomOrder};
}

std::optional<std::string> SomeSelectionRefusal(bool current, int selected, std::string_view noun,
                                                std::string_view verb) {
    if (current && selected > 0)
        return std::nullopt;
    return Fill("Please, select at least one %s to %s first.", noun, verb);
}

std::optional<int> MovedIndex(int index, int delta, int count) {
    const int moved = index + delta;
    if (index < 0 || index >= count || moved < 0 || moved >= count)
        return std::nullopt;
    return moved;
}

std::string PreviewURL(const TTarget& target) {
    if (!target.Open.empty())
        return target.Open;
    return ExpandSearchURL(target.Search, kProbeWord);
}

std::string CategoryCaption(const TCategories& categories, std::int32_t catID) {
    return catID == 0 || categories.IndexOfID(catID) == NotFound ? GeneralCategoryName
                                                                 : categories.NameOfID(catID);
}

} // namespace tsy
