#include "ui/win32/SettingsPages.h"

#include <commctrl.h>

#include "catalogue/Catalogue.h"
#include "dialogs.h"
#include "support/MessageBoxes.h"
#include "ui/SettingsRules.h"
#include "ui/SiteRules.h"
#include "ui/win32/FrmEditTarget.h"
#include "ui/win32/FrmSettings.h"
#include "ui/win32/InputBox.h"

namespace tsy::win32 {

namespace {

constexpr const char* kFilterEntries[] = {"All sites", "Collection's sites only"};

bool CheckedNow(const NMLISTVIEW& change) {
    return (change.uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

bool CheckChanged(const NMLISTVIEW& change) {
    return (change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) &&
           (change.uOldState & LVIS_STATEIMAGEMASK) != 0;
}

bool SelectionChanged(const NMLISTVIEW& change) {
    return (change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED);
}

// Runs a rebuild with the page's list handlers detached.
template <class TBody> void Rebuilding(bool& flag, TBody body) {
    const bool before = flag;
    flag = true;
    try {
        body();
    } catch (...) {
        flag = before;
        throw;
    }
    flag = before;
}

std::optional<std::int32_t> SelectedSite(const TListViewEx& sites) {
    const int row = sites.SelectedIndex();
    return row >= 0 ? std::optional(std::int32_t(sites.ItemData(row))) : std::nullopt;
}

TTabSelection TabSelection(const TListViewEx& collections, const TListViewEx& sites) {
    const int row = collections.SelectedIndex();
    return {true, row >= 0 ? collections.ItemText(row) : std::string(), SelectedSite(sites)};
}

} // namespace

TSettingsPage::TSettingsPage(TSettingsForm& form, int templateId)
    : TDialog(form.Context().Editor.Dialogs, templateId), form_(form) {}

const TEditorContext& TSettingsPage::Editor() const {
    return form_.Context().Editor;
}

TSettingsState& TSettingsPage::State() const {
    return form_.State();
}

void TSettingsPage::AttachList(TSortListView& list, int id, bool checkBoxes,
                               TSortListView::TSortType sortType, const char* name) {
    list.Attach(*this, id, checkBoxes, sortType);
    OnNotify(id, NM_SETFOCUS, [this, &list](NMHDR&) -> LRESULT {
        State().CurrentList = list.Handle();
        return 0;
    });
    Anchor(id, akAll);
    form_.Remember(list, name);
}

void TSettingsPage::FillCollectionRows(TSortListView& list) {
    Rebuilding(rebuilding_, [&] {
        list.BeginUpdate();
        list.Clear();
        for (const TCollection& c : *Editor().Collections)
            list.AddItem(c.Name());
        list.EndUpdate();
    });
}

int TSettingsPage::RowOfData(const TListViewEx& list, LPARAM data) {
    for (int i = 0; i < list.Count(); ++i)
        if (list.ItemData(i) == data)
            return i;
    return -1;
}

// Collections ----------------------------------------------------------------------------

TCollectionSitesPage::TCollectionSitesPage(TSettingsForm& form, int templateId)
    : TSettingsPage(form, templateId), collections_(*form.Context().Editor.Collation),
      targets_(*form.Context().Editor.Collation) {}

void TCollectionSitesPage::Leave() {
    LeaveTab(State(), TabSelection(collections_, targets_));
}

TCollectionsPage::TCollectionsPage(TSettingsForm& form) : TCollectionSitesPage(form, IDD_SET_COLLECTIONS) {}

void TCollectionsPage::HandleInit() {
    AttachList(collections_, IDC_COLLECTIONS_LIST, false, TSortListView::TSortType::Both, "Collections");
    collections_.AddColumn("Collection", 150);
    collections_.StartSorted();
    AttachList(targets_, IDC_COLLECTION_TARGETS, true, TSortListView::TSortType::None, "CollectionTargets");
    targets_.AddColumn("Site", 130);
    targets_.AddColumn("Category", 90);
    Anchor(IDC_COLLECTION_TARGETS, akAll);
    Anchor(IDC_COLLECTIONS_LIST, akLeft | akTop | akBottom);
    Anchor(IDC_FILTER_LABEL, akLeft | akBottom);
    Anchor(IDC_FILTER, akLeft | akBottom);
    for (int id : {IDC_MANAGE_COLLECTIONS, IDC_ADD_COLLECTION_BTN, IDC_RENAME_COLLECTION,
                   IDC_DELETE_COLLECTION, IDC_PREVIEW_COLLECTION_TARGET})
        Anchor(id, akTop | akRight);
    filter_.Attach(Item(IDC_FILTER));
    for (const char* entry : kFilterEntries)
        SendMessageA(filter_.Handle(), CB_ADDSTRING, 0, LPARAM(entry));
    filter_.SetItemIndex(0);

    OnNotify(IDC_COLLECTIONS_LIST, LVN_ITEMCHANGED, [this](NMHDR& header) -> LRESULT {
        if (!rebuilding_ && SelectionChanged(reinterpret_cast<NMLISTVIEW&>(header)))
            SelectionStep();
        return 0;
    });
    OnNotify(IDC_COLLECTION_TARGETS, LVN_ITEMCHANGING,
             [this](NMHDR& header) { return TargetChanging(header); });
    OnNotify(IDC_COLLECTION_TARGETS, LVN_ITEMCHANGED, [this](NMHDR& header) -> LRESULT {
        TargetChanged(header);
        return 0;
    });
    OnCommand(
        IDC_FILTER,
        [this] {
            State().CollectionFilter = filter_.ItemIndex() == 1;
            FillTargets(FirstSelectedCollection(), State().CollectionFilter);
        },
        CBN_SELCHANGE);
    OnCommand(IDC_ADD_COLLECTION_BTN, [this] { Add(); });
    OnCommand(IDC_RENAME_COLLECTION, [this] { Rename(); });
    OnCommand(IDC_DELETE_COLLECTION, [this] { Delete(); });
    OnCommand(IDC_PREVIEW_COLLECTION_TARGET, [this] {
        if (form_.RequireSingleSelection(targets_, "site", "view")) {
            form_.PreviewSite(std::int32_t(targets_.ItemData(targets_.SelectedIndex())));
            SetFocus(targets_.Handle());
        }
    });
}

int TCollectionsPage::FirstSelectedCollection() const {
    const int row = collections_.SelectedIndex();
    return row < 0 ? -1 : Editor().Collections->IndexOfName(collections_.ItemText(row));
}

void TCollectionsPage::FillTargets(int collection, bool membersOnly) {
    Rebuilding(rebuilding_, [&] {
        const TCollection* c =
            collection >= 0 && collection != NotFound ? &Editor().Collections->GetItem(collection) : nullptr;
        const int selected = targets_.SelectedIndex();
        const LPARAM selectedSite = selected >= 0 ? targets_.ItemData(selected) : 0;
        targets_.BeginUpdate();
        targets_.Clear();
        for (const TTarget& site : *Editor().Targets) {
            const bool member = c && c->Contains(site.ID);
            if (membersOnly && c && !member)
                continue;
            const int row =
                targets_.AddItem(site.Name, {CategoryCaption(*Editor().Categories, site.CatID)}, site.ID);
            targets_.SetChecked(row, member);
        }
        targets_.EndUpdate();
        if (selected >= 0)
            targets_.SelectItem(RowOfData(targets_, selectedSite));
    });
}

void TCollectionsPage::SelectionStep() {
    const int collection = FirstSelectedCollection();
    if (collection < 0 || collection == NotFound) {
        Rebuilding(rebuilding_, [&] {
            for (int i = 0; i < targets_.Count(); ++i)
                targets_.SetChecked(i, false);
        });
        return;
    }
    if (State().CollectionFilter) {
        FillTargets(collection, true);
        return;
    }
    const TCollection& c = Editor().Collections->GetItem(collection);
    Rebuilding(rebuilding_, [&] {
        for (int i = 0; i < targets_.Count(); ++i)
            targets_.SetChecked(i, c.Contains(std::int32_t(targets_.ItemData(i))));
    });
}

LRESULT TCollectionsPage::TargetChanging(NMHDR&) {
    // Without a collection a tick would belong nowhere.
    return !rebuilding_ && collections_.SelectedIndex() < 0;
}

void TCollectionsPage::TargetChanged(NMHDR& header) {
    const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
    if (rebuilding_ || !CheckChanged(change) || change.iItem < 0)
        return;
    const int collection = FirstSelectedCollection();
    if (collection < 0 || collection == NotFound)
        return;
    TCollection& c = Editor().Collections->GetItem(collection);
    const auto site = std::int32_t(targets_.ItemData(change.iItem));
    if (CheckedNow(change))
        c.Add(site);
    else
        c.Remove(site);
}

void TCollectionsPage::Enter() {
    FillCollectionRows(collections_);
    FillTargets(-1, false);
    const int row = collections_.FindCaption(State().CurrentCollection);
    collections_.SelectItem(row); // runs the selection step
    if (row < 0)
        SelectionStep();
    targets_.SelectItem(RowOfData(targets_, State().CurrentSite));
}

void TCollectionsPage::Add() {
    const std::int32_t added = AddCollectionPrompt(Editor(), Root());
    if (added != NotFound) {
        collections_.SelectItem(-1);
        const std::string name = Editor().Collections->GetItem(added).Name();
        Rebuilding(rebuilding_, [&] {
            collections_.BeginUpdate();
            collections_.AddItem(name);
            collections_.EndUpdate();
        });
        collections_.SelectItem(collections_.FindCaption(name));
    }
    collections_.SelectAndFocus(collections_.SelectedIndex());
}

void TCollectionsPage::Rename() {
    if (!form_.RequireSingleSelection(collections_, "collection", "rename"))
        return;
    const int row = collections_.SelectedIndex();
    const std::string name = collections_.ItemText(row);
    const std::int32_t index = Editor().Collections->IndexOfName(name);
    if (RenameCollectionPrompt(Editor(), Root(), name))
        collections_.SetItemText(row, 0, Editor().Collections->GetItem(index).Name());
    collections_.SelectAndFocus(row);
}

void TCollectionsPage::Delete() {
    if (!form_.RequireSomeSelection(collections_, "collection", "delete"))
        return;
    if (!Confirm(kDeleteCollectionsQuestion))
        return;
    for (int row = collections_.Count() - 1; row >= 0; --row)
        if (collections_.Selected(row)) {
            tsy::DeleteCollectionByName(*Editor().Collections, collections_.ItemText(row));
            ListView_DeleteItem(collections_.Handle(), row);
        }
    SetFocus(collections_.Handle());
}

// Submit Order ---------------------------------------------------------------------------

TOrderPage::TOrderPage(TSettingsForm& form) : TCollectionSitesPage(form, IDD_SET_ORDER) {}

void TOrderPage::HandleInit() {
    AttachList(collections_, IDC_ACTIVE_COLLECTIONS, false, TSortListView::TSortType::Both,
               "ActiveCollections");
    collections_.AddColumn("Collection", 150);
    collections_.StartSorted();
    AttachList(targets_, IDC_ACTIVE_TARGETS, false, TSortListView::TSortType::None, "ActiveTargets");
    targets_.AddColumn("Site Order", 200);
    targets_.SetAutoSort(false);
    Anchor(IDC_ACTIVE_COLLECTIONS, akLeft | akTop | akBottom);
    Anchor(IDC_RANDOMIZE, akLeft | akBottom);
    for (int id : {IDC_SITE_ORDER, IDC_MOVE_UP, IDC_MOVE_DOWN, IDC_PREVIEW_ACTIVE_TARGET})
        Anchor(id, akTop | akRight);
    OnNotify(IDC_ACTIVE_COLLECTIONS, LVN_ITEMCHANGED, [this](NMHDR& header) -> LRESULT {
        if (!rebuilding_ && SelectionChanged(reinterpret_cast<NMLISTVIEW&>(header)))
            SelectionStep();
        return 0;
    });
    OnCommand(IDC_RANDOMIZE, [this] {
        const std::int32_t c = SelectedCollection();
        if (c == NotFound)
            return;
        Editor().Collections->GetItem(c).Randomize = IsChecked(IDC_RANDOMIZE);
        ApplyOrderMode();
    });
    OnCommand(IDC_MOVE_UP, [this] { Move(-1); });
    OnCommand(IDC_MOVE_DOWN, [this] { Move(1); });
    OnCommand(IDC_PREVIEW_ACTIVE_TARGET, [this] {
        if (form_.RequireSingleSelection(targets_, "site", "view")) {
            const auto entry = std::int32_t(targets_.ItemData(targets_.SelectedIndex()));
            form_.PreviewSite(entry < 0 ? -entry : entry);
            SetFocus(targets_.Handle());
        }
    });
}

std::int32_t TOrderPage::SelectedCollection() const {
    const int row = collections_.SelectedIndex();
    return row < 0 ? NotFound : Editor().Collections->IndexOfName(collections_.ItemText(row));
}

void TOrderPage::FillTargets() {
    const std::int32_t c = SelectedCollection();
    Rebuilding(rebuilding_, [&] {
        targets_.BeginUpdate();
        targets_.Clear();
        if (c != NotFound)
            for (std::int32_t entry : Editor().Collections->GetItem(c).IDs()) {
                const std::int32_t site = Editor().Targets->IndexOf(entry);
                targets_.AddItem(site != NotFound ? Editor().Targets->GetItem(site).Name : std::string(), {},
                                 entry);
            }
        targets_.EndUpdate();
    });
}

void TOrderPage::ApplyOrderMode() {
    const std::int32_t c = SelectedCollection();
    const TOrderMode mode = OrderModeFor(c != NotFound && Editor().Collections->GetItem(c).Randomize,
                                         Editor().Collections->Count());
    EnableWindow(Item(IDC_MOVE_UP), mode.MoveButtons);
    EnableWindow(Item(IDC_MOVE_DOWN), mode.MoveButtons);
    EnableWindow(targets_.Handle(), mode.ListEnabled);
    const int selected = targets_.SelectedIndex();
    const LPARAM entry = selected >= 0 ? targets_.ItemData(selected) : 0;
    targets_.SetAutoSort(mode.SortedByName);
    if (mode.SortedByName) {
        targets_.ResortByColumn(0);
    } else {
        targets_.StopSorting();
        FillTargets();
    }
    if (selected >= 0)
        targets_.SelectItem(RowOfData(targets_, entry));
}

void TOrderPage::SelectionStep() {
    const std::int32_t c = SelectedCollection();
    const bool any = c != NotFound;
    EnableWindow(Item(IDC_RANDOMIZE), any);
    EnableWindow(targets_.Handle(), any);
    if (!any)
        return;
    if (const int row = targets_.SelectedIndex(); row >= 0)
        State().CurrentSite = std::int32_t(targets_.ItemData(row));
    FillTargets();
    SetChecked(IDC_RANDOMIZE, Editor().Collections->GetItem(c).Randomize);
    ApplyOrderMode();
    targets_.SelectItem(RowOfData(targets_, State().CurrentSite));
}

void TOrderPage::Move(int delta) {
    const std::int32_t c = SelectedCollection();
    const int row = targets_.SelectedIndex();
    if (c == NotFound || row < 0)
        return;
    if (!MovedIndex(row, delta, targets_.Count()))
        return;
    Editor().Collections->GetItem(c).Exchange(row, delta);
    targets_.MoveSelected(delta);
}

void TOrderPage::Enter() {
    FillCollectionRows(collections_);
    Rebuilding(rebuilding_, [&] { targets_.Clear(); });
    EnableWindow(Item(IDC_RANDOMIZE), FALSE);
    EnableWindow(targets_.Handle(), FALSE);
    collections_.SelectItem(collections_.FindCaption(State().CurrentCollection));
}

// Sites ----------------------------------------------------------------------------------

TSitesPage::TSitesPage(TSettingsForm& form)
    : TSettingsPage(form, IDD_SET_SITES), targets_(*form.Context().Editor.Collation) {}

void TSitesPage::HandleInit() {
    AttachList(targets_, IDC_TARGETS, false, TSortListView::TSortType::None, "Targets");
    targets_.AddColumn("Name", 110);
    targets_.AddColumn("Category", 80);
    targets_.AddColumn("Open Request", 150);
    targets_.AddColumn("Search Request", 200);
    for (int id : {IDC_MANAGE_SITES, IDC_ADD_TARGET, IDC_EDIT_TARGET, IDC_DELETE_TARGET, IDC_PREVIEW_TARGET})
        Anchor(id, akTop | akRight);
    SetHelpKeyword("Settings.Sites");
    OnCommand(IDC_ADD_TARGET, [this] { Add(); });
    OnCommand(IDC_EDIT_TARGET, [this] { Edit(); });
    OnCommand(IDC_DELETE_TARGET, [this] { Delete(); });
    OnCommand(IDC_PREVIEW_TARGET, [this] {
        if (form_.RequireSingleSelection(targets_, "site", "view")) {
            form_.PreviewSite(std::int32_t(targets_.ItemData(targets_.SelectedIndex())));
            SetFocus(targets_.Handle());
        }
    });
    OnNotify(IDC_TARGETS, NM_DBLCLK, [this](NMHDR&) -> LRESULT {
        if (targets_.SelectedCount() == 1)
            Edit();
        return 0;
    });
}

void TSitesPage::ShowRow(int row, std::int32_t siteId) {
    const TTarget site = Editor().Targets->ByID(siteId);
    targets_.SetItemText(row, 0, site.Name);
    targets_.SetItemText(row, 1, CategoryCaption(*Editor().Categories, site.CatID));
    targets_.SetItemText(row, 2, site.Open);
    targets_.SetItemText(row, 3, site.Search);
}

int TSitesPage::AddRow(std::int32_t siteId) {
    const int row = targets_.AddItem("", {}, siteId);
    ShowRow(row, siteId);
    return row;
}

void TSitesPage::Enter() {
    Rebuilding(rebuilding_, [&] {
        targets_.BeginUpdate();
        targets_.Clear();
        for (const TTarget& site : *Editor().Targets)
            AddRow(site.ID);
        targets_.EndUpdate();
    });
    targets_.SelectItem(RowOfData(targets_, State().CurrentSite));
}

void TSitesPage::Leave() {
    LeaveTab(State(), {false, {}, SelectedSite(targets_)});
}

void TSitesPage::Add() {
    TTarget site;
    if (AddTarget(Editor(), Root(), site)) {
        targets_.SelectItem(-1);
        targets_.SelectItem(AddRow(site.ID));
    }
    targets_.SelectAndFocus(targets_.SelectedIndex());
}

void TSitesPage::Edit() {
    if (!form_.RequireSingleSelection(targets_, "site", "edit"))
        return;
    const int row = targets_.SelectedIndex();
    const auto id = std::int32_t(targets_.ItemData(row));
    TTarget copy = Editor().Targets->ByID(id);
    if (EditTarget(Editor(), Root(), copy)) {
        Editor().Targets->SetItem(Editor().Targets->IndexOf(id), copy);
        ShowRow(row, id);
    }
    targets_.SelectAndFocus(row);
}

void TSitesPage::Delete() {
    if (!form_.RequireSomeSelection(targets_, "site", "delete"))
        return;
    if (!Confirm(kDeleteSitesQuestion))
        return;
    for (int row = targets_.Count() - 1; row >= 0; --row) {
        if (!targets_.Selected(row))
            continue;
        const auto id = std::int32_t(targets_.ItemData(row));
        if (DeleteSiteEverywhere(*Editor().Targets, *Editor().Collections, id))
            ListView_DeleteItem(targets_.Handle(), row);
    }
    SetFocus(targets_.Handle());
}

// Categories -----------------------------------------------------------------------------

TCategoriesPage::TCategoriesPage(TSettingsForm& form)
    : TSettingsPage(form, IDD_SET_CATEGORIES), categories_(*form.Context().Editor.Collation) {}

void TCategoriesPage::HandleInit() {
    AttachList(categories_, IDC_CATEGORIES, false, TSortListView::TSortType::Both, "Categories");
    categories_.AddColumn("Category", 200);
    categories_.StartSorted();
    for (int id : {IDC_MANAGE_CATEGORIES, IDC_ADD_CATEGORY, IDC_RENAME_CATEGORY, IDC_DELETE_CATEGORY})
        Anchor(id, akTop | akRight);
    SetHelpKeyword("Settings.Sites");
    OnCommand(IDC_ADD_CATEGORY, [this] { Add(); });
    OnCommand(IDC_RENAME_CATEGORY, [this] { Rename(); });
    OnCommand(IDC_DELETE_CATEGORY, [this] { Delete(); });
}

void TCategoriesPage::Enter() {
    Rebuilding(rebuilding_, [&] {
        categories_.BeginUpdate();
        categories_.Clear();
        for (const TCategory& category : *Editor().Categories)
            categories_.AddItem(category.Name, {}, category.ID);
        categories_.EndUpdate();
    });
    if (const auto category = CategoryOfCurrentSite(State(), *Editor().Targets))
        categories_.SelectItem(RowOfData(categories_, *category));
}

void TCategoriesPage::Add() {
    const std::int32_t added = AddCategoryPrompt(Editor(), Root());
    if (added != NotFound) {
        const TCategory category = Editor().Categories->GetItem(added);
        categories_.SelectItem(-1);
        categories_.BeginUpdate();
        categories_.AddItem(category.Name, {}, category.ID);
        categories_.EndUpdate();
        categories_.SelectItem(RowOfData(categories_, category.ID));
    }
    categories_.SelectAndFocus(categories_.SelectedIndex());
}

void TCategoriesPage::Rename() {
    if (!form_.RequireSingleSelection(categories_, "category", "rename"))
        return;
    const int row = categories_.SelectedIndex();
    if (RenameCategoryPrompt(Editor(), Root(), categories_.ItemText(row)))
        categories_.SetItemText(row, 0,
                                Editor().Categories->NameOfID(std::int32_t(categories_.ItemData(row))));
    SetFocus(categories_.Handle());
}

void TCategoriesPage::Delete() {
    if (!form_.RequireSomeSelection(categories_, "category", "delete"))
        return;
    const int row = categories_.SelectedIndex();
    if (DeleteCategoryConfirmed(Editor(), categories_.ItemText(row)))
        ListView_DeleteItem(categories_.Handle(), row);
    SetFocus(categories_.Handle());
}

} // namespace tsy::win32
