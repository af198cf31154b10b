#pragma once

#include "catalogue/Catalogue.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tsy {

// The add-site wizard's pages, in order.
enum TWizardPage : int { wpOpenURL = 0, wpSearchURL = 1, wpEditSite = 2, wpCollections = 3 };
inline constexpr int kWizardPageCount = 4;

inline constexpr const char* kAddSiteWizardName = "AddSiteWizard";
inline constexpr const char* kAddSiteWizardHelpKeyword = "Usage.AddSiteWizard";

inline constexpr const char* kWizardNextCaption = "Next  >";
inline constexpr const char* kWizardDoneCaption = "Done";
inline constexpr const char* kWizardOpenAddressLabel = "&Open Address:";

inline constexpr const char* kSelectOpenURLFirst =
    "Please, select the URL to be used to open the site first.";
inline constexpr const char* kSelectSearchURLFirst = "Please, select the URL to use site's search first.";
inline constexpr const char* kProvideSiteData =
    "Please, provide site name and at least one of URLs - to open the site or to use site's search.";
inline constexpr const char* kSkipCollectionsQuestion =
    "Do you want to skip adding the site to collections and do it later?";

// What the wizard shows for a page: window caption, heading, hint, and its buttons.
struct TWizardPageView {
    std::string Caption;
    std::string Heading;
    std::string Hint;
    std::string NextCaption;
    bool IsLast = false;
    bool BackEnabled = false;
};
TWizardPageView WizardPageView(int page);

// The wizard's own text for an import page whose list is empty (pages 0 and 1).
std::string EmptyWizardListMessage(int page);

// "%s URL seems to be invalid. ..." for "Open" or "Search".
std::string InvalidURLMessage(const char* which);

// The fields of the review page.
struct TWizardSiteFields {
    std::string Name;
    std::string Open;
    std::string Search;
};

// Page-leave checks of the forward moves; each gives the warning that refuses the move.
// An import page is left with a selected row or with its manual box ticked.
std::optional<std::string> CheckImportPageLeave(int page, bool manual, bool hasSelection);
// Trims the fields in place first, as the user then sees them.
std::optional<std::string> CheckSiteFieldsLeave(TWizardSiteFields& fields);

// Back, Next and the flag that spares the page being left its check while going back.
class TWizardNavigation {
public:
    int Page() const noexcept { return page_; }
    bool GoingBack() const noexcept { return goingBack_; }
    // The page Next or Back aims at; the flag is set or cleared on the way.
    int Next() noexcept;
    int Back() noexcept;
    // Whether leaving the current page runs its check.
    bool ChecksLeave() const noexcept { return !goingBack_; }
    void Arrive(int page) noexcept { page_ = page; }

private:
    int page_ = 0;
    bool goingBack_ = false;
};

// The site the wizard adds on entering its last page and takes back when the user leaves it
// backwards or cancels, so the catalogue holds it only while the collections page is up and
// after Done.
class TWizardSite {
public:
    // Adds the site made of the fields; the category is the box's text (trimmed).
    const TTarget& Add(TTargets& targets, TCategories& categories, const TWizardSiteFields& fields,
                       const std::string& categoryText);
    // Removes the added site again; nothing when none is in the catalogue.
    void Remove(TTargets& targets);
    bool Added() const noexcept { return added_; }
    const TTarget& Site() const noexcept { return site_; }

private:
    TTarget site_{};
    bool added_ = false;
};

} // namespace tsy
