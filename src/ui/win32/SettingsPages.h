#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "controls/win32/ComboBox.h"
#include "controls/win32/SortListView.h"
#include "controls/win32/WinHotKey.h"
#include "support/win32/Dialog.h"
#include "support/win32/PageHost.h"

namespace tsy::win32 {

class TSettingsForm;
struct TSettingsState;
struct TEditorContext;

// The site of the list's selected row.
std::optional<std::int32_t> SelectedSite(const TListViewEx& sites);

// A page of the settings dialog with its tab-entry and tab-leave steps.
class TSettingsPage : public TPage {
public:
    TSettingsPage(TSettingsForm& form, int templateId);

    // A catalogue that could not be read is neither shown nor changed.
    void Enter() final;
    void Leave() final;

protected:
    virtual void EnterPage() {}
    virtual void LeavePage() {}
    // Lists report the focus to the dialog: the last one focused is the one commands act on.
    void AttachList(TSortListView& list, int id, bool checkBoxes, TSortListView::TSortType sortType,
                    const char* name);
    const TEditorContext& Editor() const;
    TSettingsState& State() const;
    HWND Root() const { return GetAncestor(Handle(), GA_ROOT); }
    // The Preview button: the page of the one selected site, the focus back on the list.
    void PreviewSelected(TSortListView& sites);
    // One row per collection, named after it.
    void FillCollectionRows(TSortListView& list);

    TSettingsForm& form_;
};

// A page with a list of collections beside a list of sites; leaving it makes both selections current.
class TCollectionSitesPage : public TSettingsPage {
public:
    TCollectionSitesPage(TSettingsForm& form, int templateId);
    void LeavePage() override;

protected:
    // The collection of the first selected row, or NotFound.
    std::int32_t SelectedCollection() const;

    TSortListView collections_;
    TSortListView targets_;
};

// "Collections": which sites a collection holds.
class TCollectionsPage : public TCollectionSitesPage {
public:
    explicit TCollectionsPage(TSettingsForm& form);
    void EnterPage() override;

protected:
    void HandleInit() override;

private:
    void FillTargets(std::int32_t collection, bool membersOnly);
    void SelectionStep();
    void TargetChecked(int row, bool checked);
    // The keyword field shows the keyword of the one selected collection.
    void ShowKeyword();
    void SetKeyword();
    void Add();
    void Rename();
    void Delete();

    TComboBox filter_;
};

// "Submit Order": the order in which a collection's sites open.
class TOrderPage : public TCollectionSitesPage {
public:
    explicit TOrderPage(TSettingsForm& form);
    void EnterPage() override;

protected:
    void HandleInit() override;

private:
    void SelectionStep();
    void FillTargets();
    void ApplyOrderMode();
    void Move(int delta);
};

// "Sites": the sites themselves.
class TSitesPage : public TSettingsPage {
public:
    explicit TSitesPage(TSettingsForm& form);
    void EnterPage() override;
    void LeavePage() override;

protected:
    void HandleInit() override;

private:
    int AddRow(std::int32_t siteId);
    void ShowRow(int row, std::int32_t siteId);
    void Add();
    void Edit();
    void Delete();
    void ImportEngines();

    TSortListView targets_;
};

// "Categories".
class TCategoriesPage : public TSettingsPage {
public:
    explicit TCategoriesPage(TSettingsForm& form);
    void EnterPage() override;

protected:
    void HandleInit() override;

private:
    void Add();
    void Rename();
    void Delete();

    TSortListView categories_;
};

// "Settings": the options.
class TAdvancedPage : public TSettingsPage {
public:
    explicit TAdvancedPage(TSettingsForm& form);
    // Copies the controls into the options and applies the start-with-Windows choice.
    void Store();

protected:
    void HandleInit() override;

private:
    void UseHotkeyClick();
    void ShowHotkeyHint();
    void ClearHistory();

    TComboBox browsers_;
    TWinHotKey hotKey_;
};

} // namespace tsy::win32
