#include "ui/win32/SettingsPages.h"

#include <commctrl.h>

#include "catalogue/Catalogue.h"
#include "dialogs.h"
#include "support/MessageBoxes.h"
#include "support/Text.h"
#include "ui/SettingsRules.h"
#include "ui/SiteRules.h"
#include "ui/win32/FrameSite.h"
#include "ui/win32/FrmEditTarget.h"
#include "ui/win32/FrmSettings.h"
#include "ui/win32/InputBox.h"

namespace tsy::win32 {

namespace {

constexpr const char* kFilterEntries[] = {"All sites", "Collection's sites only"};

TTabSelection TabSelection(const TListViewEx& collections, const TListViewEx& sites) {
    const int row = collections.SelectedIndex();
    return {true, row >= 0 ? collections.ItemText(row) : std::string(), SelectedSite(sites)};
}

} // namespace

std::optional<std::int32_t> SelectedSite(const TListViewEx& sites) {
    const int row = sites.SelectedIndex();
    return row >= 0 ? std::optional(std::int32_t(sites.ItemData(row))) : std::nullopt;
}

TSettingsPage::TSettingsPage(TSettingsForm& form, int templateId)
    : TPage(form.Context().Editor.Dialogs, templateId), form_(form) {}

void TSettingsPage::Enter() {
    if (form_.CatalogueRead())
        EnterPage();
}

void TSettingsPage::Leave() {
    if (form_.CatalogueRead())
        LeavePage();
}

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

void TSettingsPage::PreviewSelected(TSortListView& sites) {
    if (!form_.RequireSingleSelection(sites, "site", "view"))
        return;
    // An order entry may be a site's id negated.
    const auto entry = std::int32_t(sites.ItemData(sites.SelectedIndex()));
    form_.PreviewSite(entry < 0 ? -entry : entry);
    SetFocus(sites.Handle());
}

void TSettingsPage::FillCollectionRows(TSortListView& list) {
    list.Refill([&] {
        list.Clear();
        for (const TCollection& c : Editor().Collections)
            list.AddItem(c.Name());
    });
}

// Collections ----------------------------------------------------------------------------

TCollectionSitesPage::TCollectionSitesPage(TSettingsForm& form, int templateId)
    : TSettingsPage(form, templateId), collections_(form.Context().Editor.Collation),
      targets_(form.Context().Editor.Collation) {}

void TCollectionSitesPage::LeavePage() {
    LeaveTab(State(), TabSelection(collections_, targets_));
}

std::int32_t TCollectionSitesPage::SelectedCollection() const {
    const int row = collections_.SelectedIndex();
    return row < 0 ? NotFound : Editor().Collections.IndexOfName(collections_.ItemText(row));
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
                   IDC_DELETE_COLLECTION, IDC_PREVIEW_COLLECTION_TARGET, IDC_COLLECTION_KEYWORD_LABEL,
                   IDC_COLLECTION_KEYWORD, IDC_SET_COLLECTION_KEYWORD})
        Anchor(id, akTop | akRight);
    OnCommand(IDC_SET_COLLECTION_KEYWORD, [this] { SetKeyword(); });
    filter_.Attach(Item(IDC_FILTER));
    for (const char* entry : kFilterEntries)
        filter_.Add(entry);
    filter_.SetItemIndex(0);

    collections_.OnSelectionChanged([this] { SelectionStep(); });
    // Without a collection a tick would belong nowhere.
    targets_.OnChanging([this](int, bool) { return collections_.SelectedIndex() < 0; });
    targets_.OnCheckChanged([this](int row, bool checked) { TargetChecked(row, checked); });
    OnCommand(
        IDC_FILTER,
        [this] {
            State().CollectionFilter = filter_.ItemIndex() == 1;
            FillTargets(SelectedCollection(), State().CollectionFilter);
        },
        CBN_SELCHANGE);
    OnCommand(IDC_ADD_COLLECTION_BTN, [this] { Add(); });
    OnCommand(IDC_RENAME_COLLECTION, [this] { Rename(); });
    OnCommand(IDC_DELETE_COLLECTION, [this] { Delete(); });
    OnCommand(IDC_PREVIEW_COLLECTION_TARGET, [this] { PreviewSelected(targets_); });
}

void TCollectionsPage::FillTargets(std::int32_t collection, bool membersOnly) {
    const TCollection* c = collection != NotFound ? &Editor().Collections.GetItem(collection) : nullptr;
    const int selected = targets_.SelectedIndex();
    const LPARAM selectedSite = selected >= 0 ? targets_.ItemData(selected) : 0;
    targets_.Refill([&] {
        targets_.Clear();
        for (const TTarget& site : Editor().Targets) {
            const bool member = c && c->Contains(site.ID);
            if (membersOnly && c && !member)
                continue;
            const int row =
                targets_.AddItem(site.Name, {CategoryCaption(Editor().Categories, site.CatID)}, site.ID);
            targets_.SetChecked(row, member);
        }
    });
    if (selected >= 0)
        targets_.Refill([&] { targets_.SelectItem(targets_.FindData(selectedSite)); });
}

void TCollectionsPage::ShowKeyword() {
    const std::int32_t collection = SelectedCollection();
    const bool one = collections_.SelectedCount() == 1 && collection != NotFound;
    SetItemText(IDC_COLLECTION_KEYWORD,
                one ? Editor().Collections.GetItem(collection).Keyword : std::string());
    for (int id : {IDC_COLLECTION_KEYWORD_LABEL, IDC_COLLECTION_KEYWORD, IDC_SET_COLLECTION_KEYWORD})
        EnableItem(id, one);
}

void TCollectionsPage::SetKeyword() {
    if (!form_.RequireSingleSelection(collections_, "collection", "give a keyword"))
        return;
    const std::int32_t collection = SelectedCollection();
    if (collection == NotFound)
        return;
    const std::string keyword = ItemText(IDC_COLLECTION_KEYWORD);
    const TKeywordOwner self{TKeywordOwner::TKind::Collection, collection, {}};
    if (const auto refusal = KeywordRefusal(Editor(), keyword, self)) {
        Warning(*refusal);
        SetFocus(Item(IDC_COLLECTION_KEYWORD));
        return;
    }
    Editor().Collections.GetItem(collection).Keyword = std::string(TrimText(keyword));
    ShowKeyword();
}

void TCollectionsPage::SelectionStep() {
    ShowKeyword();
    const std::int32_t collection = SelectedCollection();
    if (collection == NotFound) {
        targets_.Refill([&] {
            for (int i = 0; i < targets_.Count(); ++i)
                targets_.SetChecked(i, false);
        });
        return;
    }
    if (State().CollectionFilter) {
        FillTargets(collection, true);
        return;
    }
    const TCollection& c = Editor().Collections.GetItem(collection);
    targets_.Refill([&] {
        for (int i = 0; i < targets_.Count(); ++i)
            targets_.SetChecked(i, c.Contains(std::int32_t(targets_.ItemData(i))));
    });
}

void TCollectionsPage::TargetChecked(int row, bool checked) {
    const std::int32_t collection = SelectedCollection();
    if (collection == NotFound)
        return;
    TCollection& c = Editor().Collections.GetItem(collection);
    const auto site = std::int32_t(targets_.ItemData(row));
    if (checked)
        c.Add(site);
    else
        c.Remove(site);
}

void TCollectionsPage::EnterPage() {
    FillCollectionRows(collections_);
    FillTargets(NotFound, false);
    const int row = collections_.FindCaption(State().CurrentCollection);
    collections_.SelectItem(row); // runs the selection step
    if (row < 0)
        SelectionStep();
    targets_.SelectItem(targets_.FindData(State().CurrentSite));
}

void TCollectionsPage::Add() {
    const std::int32_t added = AddCollectionPrompt(Editor(), Root());
    if (added != NotFound) {
        collections_.SelectItem(-1);
        const std::string name = Editor().Collections.GetItem(added).Name();
        collections_.Refill([&] { collections_.AddItem(name); });
        collections_.SelectItem(collections_.FindCaption(name));
    }
    collections_.SelectAndFocus(collections_.SelectedIndex());
}

void TCollectionsPage::Rename() {
    if (!form_.RequireSingleSelection(collections_, "collection", "rename"))
        return;
    const int row = collections_.SelectedIndex();
    const std::string name = collections_.ItemText(row);
    const std::int32_t index = Editor().Collections.IndexOfName(name);
    if (RenameCollectionPrompt(Editor(), Root(), name))
        collections_.SetItemText(row, 0, Editor().Collections.GetItem(index).Name());
    collections_.SelectAndFocus(row);
}

void TCollectionsPage::Delete() {
    if (!form_.RequireSomeSelection(collections_, "collection", "delete"))
        return;
    if (!Confirm(kDeleteCollectionsQuestion))
        return;
    collections_.DeleteSelected([this](int row) {
        tsy::DeleteCollectionByName(Editor().Collections, collections_.ItemText(row));
        return true;
    });
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
    collections_.OnSelectionChanged([this] { SelectionStep(); });
    OnCommand(IDC_RANDOMIZE, [this] {
        const std::int32_t c = SelectedCollection();
        if (c == NotFound)
            return;
        Editor().Collections.GetItem(c).Randomize = IsChecked(IDC_RANDOMIZE);
        ApplyOrderMode();
    });
    OnCommand(IDC_MOVE_UP, [this] { Move(-1); });
    OnCommand(IDC_MOVE_DOWN, [this] { Move(1); });
    OnCommand(IDC_PREVIEW_ACTIVE_TARGET, [this] { PreviewSelected(targets_); });
}

void TOrderPage::FillTargets() {
    const std::int32_t c = SelectedCollection();
    targets_.Refill([&] {
        targets_.Clear();
        if (c != NotFound)
            for (std::int32_t entry : Editor().Collections.GetItem(c).IDs()) {
                const std::int32_t site = Editor().Targets.IndexOf(entry);
                targets_.AddItem(site != NotFound ? Editor().Targets.GetItem(site).Name : std::string(), {},
                                 entry);
            }
    });
}

void TOrderPage::ApplyOrderMode() {
    const std::int32_t c = SelectedCollection();
    const TOrderMode mode = OrderModeFor(c != NotFound && Editor().Collections.GetItem(c).Randomize,
                                         Editor().Collections.Count());
    EnableItem(IDC_MOVE_UP, mode.MoveButtons);
    EnableItem(IDC_MOVE_DOWN, mode.MoveButtons);
    EnableItem(IDC_ACTIVE_TARGETS, mode.ListEnabled);
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
        targets_.SelectItem(targets_.FindData(entry));
}

void TOrderPage::SelectionStep() {
    const std::int32_t c = SelectedCollection();
    const bool any = c != NotFound;
    EnableItem(IDC_RANDOMIZE, any);
    EnableItem(IDC_ACTIVE_TARGETS, any);
    if (!any)
        return;
    if (const int row = targets_.SelectedIndex(); row >= 0)
        State().CurrentSite = std::int32_t(targets_.ItemData(row));
    FillTargets();
    SetChecked(IDC_RANDOMIZE, Editor().Collections.GetItem(c).Randomize);
    ApplyOrderMode();
    targets_.SelectItem(targets_.FindData(State().CurrentSite));
}

void TOrderPage::Move(int delta) {
    const std::int32_t c = SelectedCollection();
    const int row = targets_.SelectedIndex();
    if (c == NotFound || row < 0)
        return;
    if (!MovedIndex(row, delta, targets_.Count()))
        return;
    Editor().Collections.GetItem(c).Exchange(row, delta);
    targets_.MoveSelected(delta);
}

void TOrderPage::EnterPage() {
    FillCollectionRows(collections_);
    targets_.Refill([&] { targets_.Clear(); });
    EnableItem(IDC_RANDOMIZE, false);
    EnableItem(IDC_ACTIVE_TARGETS, false);
    collections_.SelectItem(collections_.FindCaption(State().CurrentCollection));
}

} // namespace tsy::win32
