#include "ui/win32/FrmAddSiteWizard.h"

#include <commctrl.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <tuple>

#include "catalogue/Catalogue.h"
#include "controls/win32/ComboBox.h"
#include "dialogs.h"
#include "settings/PersistentUI.h"
#include "support/MessageBoxes.h"
#include "support/Text.h"
#include "support/win32/PageHost.h"
#include "support/win32/UniqueHandle.h"
#include "ui/ImportRules.h"
#include "ui/WizardRules.h"
#include "ui/win32/EditorContext.h"
#include "ui/win32/FrameImport.h"
#include "ui/win32/FrameSite.h"

namespace tsy::win32 {

namespace {

// A page of the wizard; what it holds is made by the wizard when the page is.
class TWizardPageDialog : public TPage {
public:
    TWizardPageDialog(const TDialogEnvironment& environment, int templateId)
        : TPage(environment, templateId) {}

    std::function<void(TWizardPageDialog&)> OnInit;
    void AnchorControl(HWND control, unsigned anchors) { Anchor(control, anchors); }

protected:
    void HandleInit() override {
        if (OnInit)
            OnInit(*this);
    }
};

// One of the two pages that take a URL from the open pages, with its manual box.
struct TImportPage {
    TImportPage(const TEditorContext& context, int templateId, int manualId, TImportKind importKind)
        : Page(context.Dialogs, templateId), Frame(context), ManualId(manualId), Kind(importKind) {}

    TWizardPageDialog Page;
    TImportFrame Frame;
    TCheckBoxEx Manual;
    int ManualId;
    TImportKind Kind;
};

class TAddSiteWizard : public TDialog {
public:
    explicit TAddSiteWizard(const TEditorContext& context)
        : TDialog(context.Dialogs, IDD_ADDSITEWIZARD), context_(context),
          importPages_{{{context, IDD_WIZARD_OPENURL, IDC_MANUAL_OPEN_DATA, TImportKind::Open},
                        {context, IDD_WIZARD_SEARCHURL, IDC_MANUAL_SEARCH_DATA, TImportKind::Search}}},
          editSitePage_(context.Dialogs, IDD_WIZARD_EDITSITE),
          collectionsPage_(context.Dialogs, IDD_WIZARD_COLLECTIONS), frmEditSite_(context),
          frmSiteCollections_(context) {}

protected:
    void HandleInit() override;
    void HandleCancel() override;

private:
    void AddPages();
    void GoToPage(int index, bool force);
    bool CanLeave(int page);
    void ShowPage(int page);
    void ShowImportPage(TImportPage& page);
    void ManualClick(TImportPage& page);
    void FillSiteFields();
    void BtnNextClick();
    void BtnBackClick();
    void Done();

    const TEditorContext& context_;
    std::array<TImportPage, 2> importPages_;
    TWizardPageDialog editSitePage_;
    TWizardPageDialog collectionsPage_;
    TEditSiteFrame frmEditSite_;
    TSiteCollectionsFrame frmSiteCollections_;
    TPageHost pages_;
    TWizardNavigation navigation_;
    TWizardSite site_;
};

void TAddSiteWizard::HandleInit() {
    pages_.Attach(*this, IDC_PAGES, false);
    AddPages();

    SetBold(IDC_WIZARD_CAPTION);
    SetHint(IDC_WIZARD_HINT);

    for (int id : {IDC_WIZARD_CAPTION, IDC_WIZARD_HINT})
        Anchor(id, akLeft | akTop | akRight);
    Anchor(IDC_PAGES, akAll);
    Anchor(IDC_WIZARD_BEVEL, akLeft | akRight | akBottom);
    for (int id : {IDC_WIZARD_BACK, IDOK, IDCANCEL})
        Anchor(id, akRight | akBottom);

    OnCommand(IDOK, [this] { BtnNextClick(); });
    OnCommand(IDC_WIZARD_BACK, [this] { BtnBackClick(); });
    SetHelpKeyword(kAddSiteWizardHelpKeyword);
    RememberLayout(kAddSiteWizardName, kPUIRestorePosition | kPUIRestoreSize);
    GoToPage(wpOpenURL, true);
}

void TAddSiteWizard::AddPages() {
    for (auto& page : importPages_) {
        page.Page.OnInit = [this, &page](TWizardPageDialog& dialog) {
            dialog.EmbedFrame(page.Frame, IDC_WIZARD_FRAME_PLACE, akAll);
            page.Manual.Attach(dialog.Item(page.ManualId));
            page.Manual.SetLayout(TTextLayout::tlTop);
            dialog.AnchorControl(page.Manual.Handle(), akLeft | akRight | akBottom);
            dialog.OnCommand(page.ManualId, [this, &page] { ManualClick(page); });
            page.Frame.OnDoubleClick = [this] { BtnNextClick(); };
        };
    }
    editSitePage_.OnInit = [this](TWizardPageDialog& dialog) {
        dialog.EmbedFrame(frmEditSite_, IDC_WIZARD_FRAME_PLACE, akLeft | akTop | akRight);
    };
    collectionsPage_.OnInit = [this](TWizardPageDialog& dialog) {
        dialog.EmbedFrame(frmSiteCollections_, IDC_WIZARD_FRAME_PLACE, akAll);
        for (int id : {IDC_WIZARD_KEYWORD_LABEL, IDC_WIZARD_KEYWORD})
            dialog.AnchorControl(dialog.Item(id), akLeft | akBottom);
    };
    pages_.AddPage(importPages_[0].Page, "");
    pages_.AddPage(importPages_[1].Page, "");
    pages_.AddPage(editSitePage_, "");
    pages_.AddPage(collectionsPage_, "");
}

void TAddSiteWizard::GoToPage(int index, bool force) {
    if (!force && navigation_.ChecksLeave() && !CanLeave(navigation_.Page()))
        return;
    if (index < 0 || index >= pages_.PageCount())
        return;
    // Before the page shows: a step that fails leaves the wizard where it was.
    ShowPage(index);
    pages_.SetActivePage(index);
    navigation_.Arrive(index);
    const auto view = WizardPageView(index);
    SetItemText(IDOK, view.NextCaption);
    EnableItem(IDC_WIZARD_BACK, view.BackEnabled);
    SetCaption(view.Caption);
    SetItemText(IDC_WIZARD_CAPTION, view.Heading);
    SetItemText(IDC_WIZARD_HINT, view.Hint);
    // The focus must not stay behind on a page that is gone.
    HWND page = pages_.Page(index).Handle();
    HWND focus = GetFocus();
    if (!force && (!focus || !IsWindowVisible(focus) || !IsWindowEnabled(focus))) {
        HWND first = GetNextDlgTabItem(page, nullptr, FALSE);
        FocusItem(first && IsWindowEnabled(first) ? first : Item(IDOK));
    }
}

bool TAddSiteWizard::CanLeave(int page) {
    std::optional<std::string> refusal;
    switch (page) {
    case wpOpenURL:
    case wpSearchURL: {
        auto& importPage = importPages_[std::size_t(page)];
        refusal = CheckImportPageLeave(page, importPage.Manual.Checked(), importPage.Frame.HasSelectedPage());
        break;
    }
    case wpEditSite: {
        auto fields = frmEditSite_.Fields();
        refusal = CheckSiteFieldsLeave(fields);
        frmEditSite_.SetFields(fields);
        break;
    }
    case wpCollections:
        if (frmSiteCollections_.Collections().HasCheckedItems())
            return true;
        return Confirm(kSkipCollectionsQuestion);
    default:
        break;
    }
    if (refusal)
        Warning(*refusal);
    return !refusal;
}

void TAddSiteWizard::ShowPage(int page) {
    switch (page) {
    case wpOpenURL:
    case wpSearchURL:
        ShowImportPage(importPages_[std::size_t(page)]);
        break;
    case wpEditSite:
        if (navigation_.GoingBack())
            site_.Remove(context_.Targets);
        else
            FillSiteFields();
        break;
    case wpCollections: {
        const TTarget& site = site_.Add(context_.Targets, context_.Categories, frmEditSite_.Fields(),
                                        frmEditSite_.Category().Text());
        frmSiteCollections_.LoadMemberships(site.ID);
        auto& list = frmSiteCollections_.Collections();
        for (int row = 0; row < list.Count(); ++row)
            list.SetChecked(row, false);
        break;
    }
    default:
        break;
    }
}

void TAddSiteWizard::ShowImportPage(TImportPage& page) {
    auto& list = page.Frame.URLList();
    const int selected = list.SelectedIndex();
    const std::string remembered = selected >= 0 ? list.ItemText(selected) : std::string();
    const auto rows = OpenPageRows(context_, page.Kind);
    const int index = page.Kind == TImportKind::Open ? wpOpenURL : wpSearchURL;
    page.Frame.ShowRows(rows, rows.empty() ? EmptyWizardListMessage(index) : std::string());
    page.Manual.SetChecked(rows.empty());
    ManualClick(page);
    if (selected >= 0) {
        const int row = list.FindCaption(remembered);
        if (row >= 0) {
            list.SelectItem(row);
            list.EnsureVisible(row);
        }
    }
}

void TAddSiteWizard::ManualClick(TImportPage& page) {
    page.Frame.SetEnabled(!page.Manual.Checked());
}

void TAddSiteWizard::FillSiteFields() {
    auto fields = frmEditSite_.Fields();
    auto& open = importPages_[wpOpenURL];
    auto& search = importPages_[wpSearchURL];
    if (open.Manual.Checked()) {
        fields.Name.clear();
        fields.Open.clear();
    } else {
        std::tie(fields.Open, fields.Name) = open.Frame.SelectedPage();
    }
    fields.Search = search.Manual.Checked() ? std::string() : search.Frame.SelectedPage().first;
    frmEditSite_.SetFields(fields);
}

void TAddSiteWizard::BtnNextClick() {
    if (navigation_.Page() == wpCollections) {
        Done();
        return;
    }
    GoToPage(navigation_.Next(), false);
}

void TAddSiteWizard::BtnBackClick() {
    if (navigation_.Page() > 0)
        GoToPage(navigation_.Back(), false);
}

void TAddSiteWizard::Done() {
    if (!site_.Added())
        return;
    const std::string keyword = WindowText(collectionsPage_.Item(IDC_WIZARD_KEYWORD));
    const TTarget& site = site_.Site();
    if (const auto refusal = KeywordRefusal(context_, keyword, {TKeywordOwner::TKind::Site, site.ID, {}})) {
        Warning(*refusal);
        return;
    }
    if (!CanLeave(wpCollections))
        return;
    const std::int32_t index = context_.Targets.IndexOf(site.ID);
    TTarget stored = context_.Targets.GetItem(index);
    stored.Keyword = TrimText(keyword);
    context_.Targets.SetItem(index, stored);
    frmSiteCollections_.ApplyMemberships(site.ID);
    EndModal(IDOK);
}

void TAddSiteWizard::HandleCancel() {
    // The site exists only for the collections page; without Done it goes again.
    site_.Remove(context_.Targets);
}

} // namespace

bool RunAddSiteWizard(const TEditorContext& context, HWND owner) {
    TAddSiteWizard wizard(context);
    return wizard.ShowModal(owner) == IDOK;
}

} // namespace tsy::win32
