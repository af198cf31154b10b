#pragma once

#include "browsers/OpenUrls.h"
#include "browsers/SearchUrl.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Keywords.h"
#include "settings/Settings.h"
#include "support/Clock.h"
#include "support/CodePage.h"
#include "support/Collation.h"
#include "support/MessageBoxes.h"
#include "support/Random.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tsy {

// What Explore needs of the main window, read at the moment of the click.
class IExploreView {
public:
    virtual ~IExploreView() = default;
    // The text of the collections box's selected entry; nullopt when nothing is selected.
    virtual std::optional<std::string> SelectedCollectionEntry() const = 0;
    virtual std::u16string SearchBoxText() const = 0;
    virtual bool SearchBoxEnabled() const = 0;
    // The modifier keys as the keyboard reports them for this input event.
    virtual bool CtrlHeld() const = 0;
    virtual bool AltHeld() const = 0;
    // Adds the search box's current text to the search history.
    virtual void AddSearchToHistory() = 0;
    // Closes the main window by its ordinary close path (minimise, hide or end, as the options say).
    virtual void CloseWindow() = 0;
};

// The collection name an entry of the collections box stands for. With the item count shown
// ("%s (%d)") the text is cut at its last "(" and trimmed.
std::string CollectionNameOfEntry(std::string_view entry, bool numberOfItems);

// Sends one search text to every site of a collection.
class TExplorer {
public:
    TExplorer(const TTargets& targets, const TCollections& collections, const TAppSettings& settings,
              IUrlOpener& opener, IMessageBoxes& messages, IRandom& random, const IClock& clock,
              const ICodePage& codePage, const IWideCollation& wideCollation);

    // The Explore button. A text that starts with "!" and a keyword explores that site or
    // collection instead of the selected one; "!!" stands for a literal "!". Errors (an unknown site, a
    // template that cannot be expanded, a browser that cannot be located) propagate to the caller's central
    // handler; AutoClose is then not applied.
    void btnExploreClick(IExploreView& view);
    // Opens the URLs the sites produce for the encoded search text, or shows why there are none.
    void ExploreTargets(const TTargetIDs& ids, const TEncodedSearch& search);
    // A uniformly shuffled copy, freshly seeded from the clock on every call.
    TTargetIDs ShuffleTargetIDs(const TTargetIDs& ids);

private:
    // The selected collection searched for `text` (the box's own text when unset).
    void ExploreSelected(IExploreView& view, const std::optional<std::u16string>& text);
    void ExploreKeyword(IExploreView& view, const TTypedSearch& typed);
    // Stored or shuffled order as the flag and Alt say, then AutoClose.
    void ExploreMembers(IExploreView& view, const TCollection& collection, const TEncodedSearch& search);
    // Names the sites whose URLs were too long to open.
    void OpenURLs(const std::vector<std::string>& urls, const std::vector<std::int32_t>& sources);

    const TTargets& targets_;
    const TCollections& collections_;
    const TAppSettings& settings_;
    IUrlOpener& opener_;
    IMessageBoxes& messages_;
    IRandom& random_;
    const IClock& clock_;
    const ICodePage& codePage_;
    const IWideCollation& wideCollation_;
};

} // namespace tsy
