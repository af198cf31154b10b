#include "ui/win32/FrmSettings.h"

#include <commctrl.h>

#include "browsers/OpenUrls.h"
#include "catalogue/Catalogue.h"
#include "dialogs.h"
#include "settings/PersistentUI.h"
#include "settings/Settings.h"
#include "settings/SettingsService.h"
#include "settings/win32/Win32PersistentUI.h"
#include "support/MessageBoxes.h"
#include "ui/SettingsRules.h"
#include "ui/win32/SettingsPages.h"

namespace tsy::win32 {

namespace {

constexpr const char* kPageCaptions[] = {"Collections", "Submit Order", "Sites", "Categories", "Settings"};
constexpr int kAdvancedPage = 4;

BOOL CALLBACK DisableControl(HWND control, LPARAM) {
    EnableWindow(control, FALSE);
    return TRUE;
}

} // namespace

TSettingsForm::TSettingsForm(const TSettingsContext& context, int startPage)
    : TDialog(context.Editor.Dialogs, IDD_SETTINGS), context_(context), startPage_(startPage) {}

TSettingsForm::~TSettingsForm() = default;

void TSettingsForm::Remember(TSortListView& list, const char* name) {
    lists_.push_back(std::make_unique<TWin32PUIListView>(list.Handle(), name));
}

void TSettingsForm::HandleInit() {
    catalogueRead_ = context_.Service.CatalogueRead();
    TWin32PUIWindow& layout =
        RememberLayout(kSettingsFormName, kPUIRestoreSize,
                       {std::string(kPUIPageControlClass), std::string(kPUIListViewClass)});
    pages_.Attach(*this, IDC_PAGES, true);
    pages_.EnableKeyboardSwitching();
    catalogue_.push_back(std::make_unique<TCollectionsPage>(*this));
    catalogue_.push_back(std::make_unique<TOrderPage>(*this));
    catalogue_.push_back(std::make_unique<TSitesPage>(*this));
    catalogue_.push_back(std::make_unique<TCategoriesPage>(*this));
    advanced_ = std::make_unique<TAdvancedPage>(*this);
    for (std::size_t i = 0; i < catalogue_.size(); ++i)
        pages_.AddPage(*catalogue_[i], kPageCaptions[i]);
    pages_.AddPage(*advanced_, kPageCaptions[kAdvancedPage]);

    pageControl_ = std::make_unique<TWin32PUIPageControl>(pages_.Tab(), "PageControl1");
    filter_ = std::make_unique<TWin32PUIComboBox>(catalogue_[0]->Item(IDC_FILTER), "cbFilter");
    layout.components.push_back(pageControl_.get());
    for (auto& list : lists_)
        layout.components.push_back(list.get());
    layout.components.push_back(filter_.get());
    SetLayoutIncludes({filter_.get()});

    Anchor(IDC_PAGES, akAll);
    Anchor(IDC_ADD_SITE_WIZARD, akLeft | akBottom);
    for (int id : {IDOK, IDCANCEL, IDHELP})
        Anchor(id, akRight | akBottom);
    SetHelpKeyword(kSettingsHelpKeyword);
    OnCommand(IDC_ADD_SITE_WIZARD, [this] { AddSiteWizardClick(); });
    EnableItem(IDC_ADD_SITE_WIZARD, context_.RunWizard != nullptr && catalogueRead_);
    // A catalogue that could not be read is neither shown nor changed.
    if (!catalogueRead_)
        for (auto& page : catalogue_)
            EnumChildWindows(page->Handle(), DisableControl, 0);
}

void TSettingsForm::HandleLayoutRestored() {
    // The restored tab stands unless the dialog is asked for another one.
    const int restored = TabCtrl_GetCurSel(pages_.Tab());
    const int first = startPage_ >= 0 ? startPage_ : restored < 0 ? 0 : restored;
    state_.CollectionFilter = filter_->ItemIndex() == 1;
    pages_.SetActivePage(first);
}

bool TSettingsForm::RequireSingleSelection(const TSortListView& list, const char* noun, const char* verb) {
    const auto refusal =
        SingleSelectionRefusal(list.Handle() == state_.CurrentList, list.SelectedCount(), noun, verb);
    if (refusal)
        Warning(*refusal);
    return !refusal;
}

bool TSettingsForm::RequireSomeSelection(const TSortListView& list, const char* noun, const char* verb) {
    const auto refusal =
        SomeSelectionRefusal(list.Handle() == state_.CurrentList, list.SelectedCount(), noun, verb);
    if (refusal)
        Warning(*refusal);
    return !refusal;
}

void TSettingsForm::PreviewSite(std::int32_t siteId) {
    const std::string url = PreviewURL(context_.Editor.Targets.ByID(siteId));
    context_.Opener.OpenURL(context_.Settings.Browser, url);
}

bool TSettingsForm::CanAccept() {
    pages_.LeaveActivePage();
    advanced_->Store();
    context_.Service.SaveSettings(catalogueRead_);
    return true;
}

void TSettingsForm::HandleCancel() {
    pages_.LeaveActivePage();
    // The pages edit the catalogue in memory: reading it back discards every edit. One that
    // could not be read is left to the next Customize.
    context_.Service.LoadSettings(catalogueRead_, true);
}

void TSettingsForm::AddSiteWizardClick() {
    if (!context_.RunWizard(Handle()))
        return;
    const int page = pages_.ActivePage();
    if (page >= 0) {
        pages_.Page(page).Leave();
        pages_.Page(page).Enter();
    }
}

bool ShowSettingsDialog(const TSettingsContext& context, HWND owner, int startPage) {
    if (const std::optional<std::string> warning = context.Service.ReadCatalogueIfUnread())
        context.Editor.Dialogs.Boxes->Warning(*warning);
    TSettingsForm form(context, startPage);
    return form.ShowModal(owner) == IDOK;
}

} // namespace tsy::win32
