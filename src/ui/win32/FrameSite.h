#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/Keywords.h"
#include "ui/WizardRules.h"

#include "controls/win32/ComboBox.h"
#include "controls/win32/SortListView.h"
#include "support/win32/Dialog.h"

namespace tsy::win32 {

struct TEditorContext;

// Why `self` cannot take the keyword (trimmed first; empty takes it away), or nothing.
std::optional<std::string> KeywordRefusal(const TEditorContext& context, std::string_view keyword,
                                          const TKeywordOwner& self);

// A category drop-down list: "(general)", the categories, and an entry that adds one.
class TCategoryBox : public TComboBox {
public:
    // FillCategoryBox: refills the list and selects the entry of the category.
    void Fill(const TEditorContext& context, std::int32_t catID);
    // HandleCategoryBoxChange: the add entry runs the add-category prompt; after a
    // cancelled or refused prompt the entry chosen before is shown again.
    void HandleChange(const TEditorContext& context, HWND owner);

private:
    int previous_ = 0;
};

// TSiteCollectionsFrame: every collection, ticked when it holds the site.
class TSiteCollectionsFrame : public TDialog {
public:
    explicit TSiteCollectionsFrame(const TEditorContext& context);

    void LoadMemberships(std::int32_t siteId);
    void ApplyMemberships(std::int32_t siteId);
    TSortListView& Collections() noexcept { return list_; }
    void BtnAddCollectionClick();

protected:
    void HandleInit() override;

private:
    const TEditorContext& context_;
    TSortListView list_;
};

// TEditSiteFrame: a site's fields as the add-site wizard shows them; the search URL is
// shown in its stored form.
class TEditSiteFrame : public TDialog {
public:
    explicit TEditSiteFrame(const TEditorContext& context);
    TCategoryBox& Category() noexcept { return category_; }
    TWizardSiteFields Fields() const;
    void SetFields(const TWizardSiteFields& fields);

protected:
    void HandleInit() override;

private:
    const TEditorContext& context_;
    TCategoryBox category_;
};

} // namespace tsy::win32
