#include "ui/win32/FrmEditTarget.h"

#include "browsers/SearchUrl.h"
#include "dialogs.h"
#include "settings/PersistentUI.h"
#include "support/MessageBoxes.h"
#include "support/Text.h"
#include "support/win32/WinText.h"
#include "ui/ImportRules.h"
#include "ui/SiteRules.h"
#include "ui/win32/EditorContext.h"
#include "ui/win32/FrameImport.h"

namespace tsy::win32 {

namespace {

constexpr const char* kShowHelpersCaption = "Collections >>";
constexpr const char* kHideHelpersCaption = "<< Collections";
// The least height of the unfolded panel, in pixels.
constexpr int kPanelMinimum = 60;
// The encoding box lists some thirty entries.
constexpr int kCharsetRows = 15;

} // namespace

TEditTargetForm::TEditTargetForm(const TEditorContext& context, const TTarget& target)
    : TDialog(context.Dialogs, IDD_EDITTARGET), context_(context), target_(target),
      frmSiteCollections_(context) {}

void TEditTargetForm::HandleInit() {
    edtName_.Attach(Item(IDC_EDT_NAME));
    edtOpenRequest_.Attach(Item(IDC_EDT_OPEN_REQUEST));
    edtSearchRequest_.Attach(Item(IDC_EDT_SEARCH_REQUEST));
    edtKeyword_.Attach(Item(IDC_EDT_KEYWORD));
    cbxCategory_.Attach(Item(IDC_CBX_CATEGORY));
    cbxCharset_.Attach(Item(IDC_CBX_CHARSET));
    EmbedFrame(frmSiteCollections_, IDC_SITE_COLLECTIONS_PLACE, akAll);

    SetItemText(IDC_EDT_SEARCH_REQUEST, SearchURLToDisplay(target_.Search));
    SetItemText(IDC_EDT_NAME, target_.Name);
    SetItemText(IDC_EDT_OPEN_REQUEST, target_.Open);
    SetItemText(IDC_EDT_KEYWORD, target_.Keyword);
    cbxCategory_.Fill(context_, target_.CatID);
    const TCharsetBoxEntries charsets = CharsetBoxEntries(target_.Charset);
    cbxCharset_.SetItems(charsets.Items, charsets.Selected);
    cbxCharset_.SetMinVisible(kCharsetRows);
    frmSiteCollections_.LoadMemberships(target_.ID);

    for (int id : {IDC_EDT_NAME, IDC_EDT_OPEN_REQUEST, IDC_EDT_SEARCH_REQUEST})
        Anchor(id, akLeft | akTop | akRight);
    for (int id : {IDC_IMPORT_OPEN_URL, IDC_IMPORT_SEARCH_URL})
        Anchor(id, akTop | akRight);
    Anchor(IDC_SHOW_HELPERS, akLeft | akBottom);
    for (int id : {IDOK, IDCANCEL, IDHELP})
        Anchor(id, akRight | akBottom);

    OnCommand(IDC_IMPORT_OPEN_URL, [this] { ImportOpenURL(); });
    OnCommand(IDC_IMPORT_SEARCH_URL, [this] { ImportSearchURL(); });
    OnCommand(
        IDC_CBX_CATEGORY, [this] { cbxCategory_.HandleChange(context_, Handle()); }, CBN_SELCHANGE);
    SetHelpKeyword(kSitesHelpKeyword);

    RememberLayout(kEditTargetFormName, kPUIRestorePosition | kPUIRestoreSize);
    SetDetailPanel({.Controls = {Item(IDC_COLLECTIONS_LABEL), frmSiteCollections_.Handle()},
                    .Below = IDC_SHOW_HELPERS,
                    .Toggle = IDC_SHOW_HELPERS,
                    .ShowCaption = kShowHelpersCaption,
                    .HideCaption = kHideHelpersCaption,
                    .MinimumHeight = kPanelMinimum});
}

bool TEditTargetForm::CanAccept() {
    const std::string name = ItemText(IDC_EDT_NAME);
    const std::string search = ItemText(IDC_EDT_SEARCH_REQUEST);
    const std::string open = ItemText(IDC_EDT_OPEN_REQUEST);
    if (const auto refusal = ValidateSite(name, search, open)) {
        Warning(*refusal);
        return false;
    }
    const std::string keyword = ItemText(IDC_EDT_KEYWORD);
    if (const auto refusal =
            KeywordRefusal(context_, keyword, {TKeywordOwner::TKind::Site, target_.ID, {}})) {
        Warning(*refusal);
        return false;
    }
    target_.Keyword = TrimText(keyword);
    target_.Name = TrimText(name);
    target_.Search = SearchURLToStored(search);
    target_.Open = TrimText(open);
    target_.CatID = context_.Categories.IDOfName(TrimText(cbxCategory_.Text()));
    target_.Charset = CharsetAfterEdit(target_.Charset, cbxCharset_.ItemIndex());
    frmSiteCollections_.ApplyMemberships(target_.ID);
    return true;
}

void TEditTargetForm::ImportOpenURL() {
    std::string url, title;
    if (!ImportURL(context_, Handle(), TImportKind::Open, url, title))
        return;
    SetItemText(IDC_EDT_NAME, title);
    SetItemText(IDC_EDT_OPEN_REQUEST, url);
}

void TEditTargetForm::ImportSearchURL() {
    std::string url, title;
    if (!ImportURL(context_, Handle(), TImportKind::Search, url, title))
        return;
    SetItemText(IDC_EDT_SEARCH_REQUEST, SearchURLToDisplay(url));
}

bool EditTarget(const TEditorContext& context, HWND owner, TTarget& target) {
    if (target.ReadOnly)
        return false;
    TEditTargetForm form(context, target);
    if (form.ShowModal(owner) != IDOK)
        return false;
    target = form.Target();
    return true;
}

bool AddTarget(const TEditorContext& context, HWND owner, TTarget& target) {
    target = TTarget{};
    // Today's sites read UTF-8; the encoding box starts there.
    target.Charset = kUtf8Charset;
    const std::int32_t index = context.Targets.Add(target);
    if (EditTarget(context, owner, target)) {
        context.Targets.SetItem(index, target);
        return true;
    }
    context.Targets.Delete(index);
    return false;
}

} // namespace tsy::win32
