#include "ui/win32/FrameSite.h"

#include <commctrl.h>

#include "catalogue/Catalogue.h"
#include "dialogs.h"
#include "support/Text.h"
#include "support/win32/ScreenDpi.h"
#include "support/win32/WinText.h"
#include "ui/SiteRules.h"
#include "ui/win32/EditorContext.h"
#include "ui/win32/InputBox.h"

namespace tsy::win32 {

std::optional<std::string> KeywordRefusal(const TEditorContext& context, std::string_view keyword,
                                          const TKeywordOwner& self) {
    if (TrimText(keyword).empty())
        return std::nullopt;
    return tsy::KeywordRefusal(
        {context.Targets, context.Collections, context.CodePage, context.WideCollation}, keyword, self);
}

void TCategoryBox::Fill(const TEditorContext& context, std::int32_t catID) {
    const auto entries = CategoryBoxEntries(context.Categories, context.Collation, catID);
    Clear();
    // Added in the given order: the box itself does not sort.
    for (const auto& item : entries.Items)
        Add(item);
    SetItemIndex(entries.Selected);
    previous_ = entries.Selected;
}

void TCategoryBox::HandleChange(const TEditorContext& context, HWND owner) {
    if (Text() != kAddCategoryEntry) {
        previous_ = ItemIndex();
        return;
    }
    const std::int32_t added = AddCategoryPrompt(context, owner);
    if (added == NotFound) {
        SetItemIndex(previous_);
        return;
    }
    Fill(context, context.Categories.GetItem(added).ID);
}

TSiteCollectionsFrame::TSiteCollectionsFrame(const TEditorContext& context)
    : TDialog(context.Dialogs, IDD_SITECOLLECTIONS), context_(context), list_(context.Collation) {}

void TSiteCollectionsFrame::HandleInit() {
    list_.Attach(*this, IDC_SITE_COLLECTIONS, true, TSortListView::TSortType::Both);
    RECT client{};
    GetClientRect(list_.Handle(), &client);
    list_.AddColumn("Collections", 0);
    ListView_SetColumnWidth(list_.Handle(), 0, client.right - SystemMetricForDpi(SM_CXVSCROLL, Dpi()));
    list_.StartSorted();
    Anchor(IDC_SITE_COLLECTIONS, akAll);
    Anchor(IDC_ADD_COLLECTION, akTop | akRight);
    OnCommand(IDC_ADD_COLLECTION, [this] { BtnAddCollectionClick(); });
}

void TSiteCollectionsFrame::LoadMemberships(std::int32_t siteId) {
    list_.BeginUpdate();
    list_.Clear();
    for (const auto& [name, member] : Memberships(context_.Collections, siteId)) {
        const int row = list_.AddItem(name);
        list_.SetChecked(row, member);
    }
    list_.EndUpdate();
}

void TSiteCollectionsFrame::ApplyMemberships(std::int32_t siteId) {
    std::vector<std::pair<std::string, bool>> rows;
    for (int i = 0; i < list_.Count(); ++i)
        rows.emplace_back(list_.ItemText(i), list_.Checked(i));
    tsy::ApplyMemberships(context_.Collections, siteId, rows);
}

void TSiteCollectionsFrame::BtnAddCollectionClick() {
    const std::int32_t added = AddCollectionPrompt(context_, GetAncestor(Handle(), GA_ROOT));
    if (added == NotFound)
        return;
    const std::string name = context_.Collections.GetItem(added).Name();
    list_.BeginUpdate();
    list_.AddItem(name);
    // A sorted list puts the row in its place.
    list_.EndUpdate();
    const int row = list_.FindCaption(name);
    list_.SelectAndFocus(row);
    list_.SetChecked(row, true);
}

TEditSiteFrame::TEditSiteFrame(const TEditorContext& context)
    : TDialog(context.Dialogs, IDD_EDITSITEFRAME), context_(context) {}

void TEditSiteFrame::HandleInit() {
    category_.Attach(Item(IDC_SITE_CATEGORY));
    category_.Fill(context_, 0);
    SetItemText(IDC_OPEN_LABEL, kWizardOpenAddressLabel);
    for (int id : {IDC_SITE_NAME, IDC_OPEN_URL, IDC_SEARCH_URL})
        Anchor(id, akLeft | akTop | akRight);
    OnCommand(
        IDC_SITE_CATEGORY, [this] { category_.HandleChange(context_, GetAncestor(Handle(), GA_ROOT)); },
        CBN_SELCHANGE);
}

TWizardSiteFields TEditSiteFrame::Fields() const {
    return {ItemText(IDC_SITE_NAME), ItemText(IDC_OPEN_URL), ItemText(IDC_SEARCH_URL)};
}

void TEditSiteFrame::SetFields(const TWizardSiteFields& fields) {
    SetItemText(IDC_SITE_NAME, fields.Name);
    SetItemText(IDC_OPEN_URL, fields.Open);
    SetItemText(IDC_SEARCH_URL, fields.Search);
}

} // namespace tsy::win32
