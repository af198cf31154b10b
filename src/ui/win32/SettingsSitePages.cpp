// The Sites and Categories tabs of the settings dialog.
#include "ui/win32/SettingsPages.h"

#include <commctrl.h>

#include "catalogue/Catalogue.h"
#include "dialogs.h"
#include "ui/SettingsRules.h"
#include "ui/SiteRules.h"
#include "ui/win32/FrmEditTarget.h"
#include "ui/win32/FrmImportEngines.h"
#include "ui/win32/FrmSettings.h"
#include "ui/win32/InputBox.h"

namespace tsy::win32 {

// Sites ----------------------------------------------------------------------------------

TSitesPage::TSitesPage(TSettingsForm& form)
    : TSettingsPage(form, IDD_SET_SITES), targets_(form.Context().Editor.Collation) {}

void TSitesPage::HandleInit() {
    AttachList(targets_, IDC_TARGETS, false, TSortListView::TSortType::None, "Targets");
    targets_.AddColumn("Name", 110);
    targets_.AddColumn("Category", 80);
    targets_.AddColumn("Open Request", 150);
    targets_.AddColumn("Search Request", 200);
    for (int id : {IDC_MANAGE_SITES, IDC_ADD_TARGET, IDC_EDIT_TARGET, IDC_DELETE_TARGET, IDC_PREVIEW_TARGET})
        Anchor(id, akTop | akRight);
    Anchor(IDC_IMPORT_ENGINES, akLeft | akBottom);
    SetHelpKeyword("Settings.Sites");
    OnCommand(IDC_ADD_TARGET, [this] { Add(); });
    OnCommand(IDC_EDIT_TARGET, [this] { Edit(); });
    OnCommand(IDC_DELETE_TARGET, [this] { Delete(); });
    OnCommand(IDC_IMPORT_ENGINES, [this] { ImportEngines(); });
    OnCommand(IDC_PREVIEW_TARGET, [this] { PreviewSelected(targets_); });
    OnNotify(IDC_TARGETS, NM_DBLCLK, [this](NMHDR&) -> LRESULT {
        if (targets_.SelectedCount() == 1)
            Edit();
        return 0;
    });
}

void TSitesPage::ShowRow(int row, std::int32_t siteId) {
    const TTarget site = Editor().Targets.ByID(siteId);
    targets_.SetItemText(row, 0, site.Name);
    targets_.SetItemText(row, 1, CategoryCaption(Editor().Categories, site.CatID));
    targets_.SetItemText(row, 2, site.Open);
    targets_.SetItemText(row, 3, site.Search);
}

int TSitesPage::AddRow(std::int32_t siteId) {
    const int row = targets_.AddItem("", {}, siteId);
    ShowRow(row, siteId);
    return row;
}

void TSitesPage::EnterPage() {
    targets_.Refill([&] {
        targets_.Clear();
        for (const TTarget& site : Editor().Targets)
            AddRow(site.ID);
    });
    targets_.SelectItem(targets_.FindData(State().CurrentSite));
}

void TSitesPage::LeavePage() {
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
    TTarget copy = Editor().Targets.ByID(id);
    if (EditTarget(Editor(), Root(), copy)) {
        Editor().Targets.SetItem(Editor().Targets.IndexOf(id), copy);
        ShowRow(row, id);
    }
    targets_.SelectAndFocus(row);
}

void TSitesPage::Delete() {
    if (!form_.RequireSomeSelection(targets_, "site", "delete"))
        return;
    if (!Confirm(kDeleteSitesQuestion))
        return;
    targets_.DeleteSelected([this](int row) {
        return DeleteSiteEverywhere(Editor().Targets, Editor().Collections,
                                    std::int32_t(targets_.ItemData(row)));
    });
    SetFocus(targets_.Handle());
}

void TSitesPage::ImportEngines() {
    const auto& find = form_.Context().FindSearchEngines;
    if (ImportSearchEngines(Editor(), Root(), find ? find() : TSearchEngines{})) {
        Leave();
        Enter();
    }
    SetFocus(targets_.Handle());
}

// Categories -----------------------------------------------------------------------------

TCategoriesPage::TCategoriesPage(TSettingsForm& form)
    : TSettingsPage(form, IDD_SET_CATEGORIES), categories_(form.Context().Editor.Collation) {}

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

void TCategoriesPage::EnterPage() {
    categories_.Refill([&] {
        categories_.Clear();
        for (const TCategory& category : Editor().Categories)
            categories_.AddItem(category.Name, {}, category.ID);
    });
    if (const auto category = CategoryOfCurrentSite(State(), Editor().Targets))
        categories_.SelectItem(categories_.FindData(*category));
}

void TCategoriesPage::Add() {
    const std::int32_t added = AddCategoryPrompt(Editor(), Root());
    if (added != NotFound) {
        const TCategory category = Editor().Categories.GetItem(added);
        categories_.SelectItem(-1);
        categories_.BeginUpdate();
        categories_.AddItem(category.Name, {}, category.ID);
        categories_.EndUpdate();
        categories_.SelectItem(categories_.FindData(category.ID));
    }
    categories_.SelectAndFocus(categories_.SelectedIndex());
}

void TCategoriesPage::Rename() {
    if (!form_.RequireSingleSelection(categories_, "category", "rename"))
        return;
    const int row = categories_.SelectedIndex();
    if (RenameCategoryPrompt(Editor(), Root(), categories_.ItemText(row)))
        categories_.SetItemText(row, 0,
                                Editor().Categories.NameOfID(std::int32_t(categories_.ItemData(row))));
    SetFocus(categories_.Handle());
}

void TCategoriesPage::Delete() {
    if (!form_.RequireSomeSelection(categories_, "category", "delete"))
        return;
    const int row = categories_.SelectedIndex();
    if (DeleteCategoryConfirmed(Editor(), categories_.ItemText(row)))
        categories_.DeleteItem(row);
    SetFocus(categories_.Handle());
}

} // namespace tsy::win32
