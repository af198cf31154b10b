#include "app/Explore.h"

#include "browsers/SearchUrl.h"
#include "support/Format.h"
#include "support/Text.h"

#include <utility>
#include <vector>

namespace tsy {

std::string CollectionNameOfEntry(std::string_view entry, bool numberOfItems) {
    if (numberOfItems) {
        // A name may hold parentheses of its own; the count is always the last pair.
        auto open = entry.rfind('(');
        if (open != std::string_view::npos)
            entry = entry.substr(0, open);
    }
    return std::string(TrimText(entry));
}

TExplorer::TExplorer(const TTargets& targets, const TCollections& collections, const TAppSettings& settings,
                     IUrlOpener& opener, IMessageBoxes& messages, IRandom& random, const IClock& clock,
                     const ICodePage& codePage, const IWideCollation& wideCollation)
    : targets_(targets), collections_(collections), settings_(settings), opener_(opener), messages_(messages),
      random_(random), clock_(clock), codePage_(codePage), wideCollation_(wideCollation) {}

void TExplorer::btnExploreClick(IExploreView& view) {
    if (view.SearchBoxEnabled()) {
        TTypedSearch typed = ParseTypedSearch(view.SearchBoxText(), codePage_);
        if (typed.Kind == TTypedSearch::TKind::Keyword) {
            ExploreKeyword(view, typed);
            return;
        }
        if (typed.Kind == TTypedSearch::TKind::Literal) {
            ExploreSelected(view, std::move(typed.Text));
            return;
        }
    }
    ExploreSelected(view, std::nullopt);
}

void TExplorer::ExploreSelected(IExploreView& view, const std::optional<std::u16string>& text) {
    auto entry = view.SelectedCollectionEntry();
    if (!entry) {
        messages_.Warning("You have to select a collection to use");
        return;
    }
    const TCollection& collection =
        collections_.ByName(CollectionNameOfEntry(*entry, settings_.NumberOfItems));
    if (collection.Count() == 0) {
        messages_.Warning(
            "Selected collection is empty.\n\rPlease, use Settings dialog to select sites to use.");
        return;
    }

    TEncodedSearch search;
    if (view.SearchBoxEnabled() && !view.CtrlHeld()) {
        const std::u16string typed = view.SearchBoxText();
        if (!TrimText(typed).empty())
            view.AddSearchToHistory();
        search = PrepareSearchText(text.value_or(typed), codePage_);
    }
    ExploreMembers(view, collection, search);
}

void TExplorer::ExploreKeyword(IExploreView& view, const TTypedSearch& typed) {
    const TKeywordOwner owner =
        KeywordOwner({targets_, collections_, codePage_, wideCollation_}, typed.Keyword);
    if (!owner) {
        messages_.Warning(UnknownKeywordWarning(codePage_.FromWide(typed.Keyword).value_or("")));
        return;
    }
    TEncodedSearch search;
    if (!view.CtrlHeld()) {
        view.AddSearchToHistory();
        search = PrepareSearchText(typed.Text, codePage_);
    }
    if (owner.Kind == TKeywordOwner::TKind::Collection) {
        ExploreMembers(view, collections_.GetItem(owner.ID), search);
        return;
    }
    ExploreTargets({owner.ID}, search);
    if (settings_.AutoClose)
        view.CloseWindow();
}

void TExplorer::ExploreMembers(IExploreView& view, const TCollection& collection,
                               const TEncodedSearch& search) {
    if (collection.Randomize != view.AltHeld())
        ExploreTargets(ShuffleTargetIDs(collection.IDs()), search);
    else
        ExploreTargets(collection.IDs(), search);

    if (settings_.AutoClose)
        view.CloseWindow();
}

void TExplorer::ExploreTargets(const TTargetIDs& ids, const TEncodedSearch& search) {
    std::vector<std::string> urls;
    std::vector<std::int32_t> sources;
    urls.reserve(ids.size());
    sources.reserve(ids.size());
    std::string url;
    for (auto id : ids) {
        if (BuildTargetURL(targets_, id, search, url)) {
            urls.push_back(url);
            sources.push_back(id);
        }
    }

    if (!urls.empty())
        OpenURLs(urls, sources);
    else if (ids.empty())
        messages_.Warning("The selected collection has no sites.");
    else if (search.Empty())
        messages_.Warning(
            "All the sites in the collection require a search string to be provided.  No URLs opened.");
    else
        messages_.Warning("All the sites in the collection are just open commands. No URLs opened.");
}

void TExplorer::OpenURLs(const std::vector<std::string>& urls, const std::vector<std::int32_t>& sources) {
    try {
        opener_.OpenURLs(settings_.Browser, urls);
    } catch (const EUrlTooLong& error) {
        std::string text = error.StartFailures();
        for (auto index : error.Indexes()) {
            if (!text.empty())
                text += "\n\r";
            TTarget site = targets_.ByID(sources.at(index));
            text += Format(
                "The address of the site \"%s\" is too long to pass to the browser; it was not opened.",
                site.Name.c_str());
        }
        throw EBrowserError(text);
    }
}

TTargetIDs TExplorer::ShuffleTargetIDs(const TTargetIDs& ids) {
    random_.Seed(clock_.Counter());
    TTargetIDs shuffled = ids;
    // Fisher-Yates: every order is equally likely.
    for (std::size_t i = shuffled.size(); i > 1; --i)
        std::swap(shuffled[i - 1], shuffled[random_.Below(std::uint32_t(i))]);
    return shuffled;
}

} // namespace tsy
