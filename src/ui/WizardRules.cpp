#include "ui/WizardRules.h"

#include "browsers/OpenPages.h"
#include "browsers/SearchUrl.h"
#include "support/Format.h"
#include "support/Text.h"
#include "ui/SiteRules.h"

namespace tsy {

TWizardPageView WizardPageView(int page) {
    TWizardPageView view;
    view.Caption = Format("Add New Site (step %d of %d)", page + 1, kWizardPageCount);
    view.IsLast = page == kWizardPageCount - 1;
    view.NextCaption = view.IsLast ? kWizardDoneCaption : kWizardNextCaption;
    view.BackEnabled = page > 0;
    switch (page) {
    case wpOpenURL:
        view.Heading = "Select the URL to open the site";
        view.Hint = "If you do not see the URL you want below, please open the site in your browser and then "
                    "re-run the wizard.";
        break;
    case wpSearchURL:
        view.Heading = "Select the URL to use site's search";
        view.Hint =
            Format("If you do not see the URL you want below, please do a search from the site for the "
                   "term \xAB%s\xBB in your browser and then re-run the wizard.",
                   kProbeWord);
        break;
    case wpEditSite:
        view.Heading = "Review and correct site details";
        view.Hint =
            "Please verify that all the site data is correct and edit it if necessary. It is a good time "
            "to assign the site to some category also.";
        break;
    case wpCollections:
        view.Heading = "Add the site to collections";
        view.Hint = "Please add the site to collections of your choice.";
        break;
    default:
        break;
    }
    return view;
}

std::string EmptyWizardListMessage(int page) {
    if (page == wpSearchURL)
        return Format("No open web-pages found containing a search request or your search was not recognized "
                      "by Tessaly properly.\n\r\n\rPlease submit a search for \xAB%s\xBB and then re-run the "
                      "wizard.",
                      kProbeWord);
    return "No open web-pages found. Either you do not have any web-pages open or all the open pages are "
           "suitable only for the Search command.\n\r\n\rPlease open the page you want to import and then "
           "re-run the wizard.";
}

std::string InvalidURLMessage(const char* which) {
    return Format("%s URL seems to be invalid. Please, specify correct URL before continue.", which);
}

std::optional<std::string> CheckImportPageLeave(int page, bool manual, bool hasSelection) {
    if (manual || hasSelection)
        return std::nullopt;
    return std::string(page == wpSearchURL ? kSelectSearchURLFirst : kSelectOpenURLFirst);
}

std::optional<std::string> CheckSiteFieldsLeave(TWizardSiteFields& fields) {
    fields.Name = TrimText(fields.Name);
    fields.Open = TrimText(fields.Open);
    fields.Search = TrimText(fields.Search);
    if (fields.Name.empty() || (fields.Open.empty() && fields.Search.empty()))
        return std::string(kProvideSiteData);
    if (!fields.Open.empty() && !IsURLLike(fields.Open))
        return InvalidURLMessage("Open");
    if (!fields.Search.empty() && !IsURLLike(fields.Search))
        return InvalidURLMessage("Search");
    if (auto refusal = CheckStoredAddress(fields.Open))
        return refusal;
    return CheckStoredAddress(fields.Search);
}

int TWizardNavigation::Next() noexcept {
    goingBack_ = false;
    return page_ + 1;
}

int TWizardNavigation::Back() noexcept {
    goingBack_ = true;
    return page_ - 1;
}

const TTarget& TWizardSite::Add(TTargets& targets, TCategories& categories, const TWizardSiteFields& fields,
                                const std::string& categoryText) {
    site_ = TTarget{};
    site_.Name = fields.Name;
    site_.Open = fields.Open;
    site_.Search = fields.Search;
    site_.CatID = categories.IDOfName(TrimText(categoryText));
    // A site found in today's browser reads its search text as UTF-8.
    site_.Charset = kUtf8Charset;
    targets.Add(site_);
    added_ = true;
    return site_;
}

void TWizardSite::Remove(TTargets& targets) {
    if (!added_)
        return;
    added_ = false;
    const std::int32_t index = targets.IndexOf(site_.ID);
    if (index != NotFound)
        targets.Delete(index);
}

} // namespace tsy
