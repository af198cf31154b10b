#include "app/win32/FrmMain.h"

#include "app/CustomizeRule.h"
#include "resource.h"
#include "settings/Autorun.h"
#include "settings/PersistentUI.h"
#include "settings/Settings.h"
#include "settings/SettingsService.h"
#include "support/Clock.h"
#include "support/OwnerStack.h"
#include "support/win32/Win32MessageBoxes.h"

// The main window's actions: what its buttons, the close paths and Explore do.

namespace tsy::win32 {

void TMainForm::BtnExploreClick() {
    if (context_.Explorer)
        context_.Explorer->btnExploreClick(*this);
}

std::optional<std::string> TMainForm::SelectedCollectionEntry() const {
    if (collections_.ItemIndex() < 0)
        return std::nullopt;
    return SelectedCollectionText();
}

std::u16string TMainForm::SearchBoxText() const {
    return mru_.Text();
}

bool TMainForm::SearchBoxEnabled() const {
    return IsWindowEnabled(Control(IDC_SEARCH)) != FALSE;
}

bool TMainForm::CtrlHeld() const {
    return GetKeyState(VK_CONTROL) < 0;
}

bool TMainForm::AltHeld() const {
    return GetKeyState(VK_MENU) < 0;
}

void TMainForm::AddSearchToHistory() {
    mru_.AddCurrentText();
}

void TMainForm::CloseWindow() {
    CloseWith(TCloseRequest::AutoClose);
}

void TMainForm::FocusSearchOrCollections() {
    HWND search = Control(IDC_SEARCH);
    SetFocus(IsWindowEnabled(search) ? search : Control(IDC_COLLECTIONS));
}

void TMainForm::RestoreFocus() {
    // A control counts only while it and every parent up to the window can take the focus.
    bool usable = lastFocus_ && IsWindow(lastFocus_);
    for (HWND w = lastFocus_; usable && w && w != Handle(); w = GetParent(w))
        usable = IsWindowEnabled(w) && IsWindowVisible(w);
    if (usable)
        SetFocus(lastFocus_);
    else
        FocusSearchOrCollections();
}

void TMainForm::DoCustomize() {
    OpenSettings(kSettingsRuleDecides);
}

void TMainForm::CustomizeHotkey() {
    // Another dialog is open: the click waits for the user to finish there.
    if (!IsWindowEnabled(Handle()))
        return;
    ShowApplication();
    OpenSettings(kSettingsOptionsPage);
}

void TMainForm::OpenSettings(int forcedPage) {
    UnregisterHotkey();
    const std::int64_t now = context_.Clock->NowSeconds();
    int page =
        SettingsStartOnFirstPage(lastSettingsOpening_, now) ? kSettingsFirstPage : kSettingsRuleDecides;
    if (forcedPage != kSettingsRuleDecides)
        page = forcedPage;
    lastSettingsOpening_ = now;
    StoreUIState();
    const bool catalogueWasRead = context_.SettingsService->CatalogueRead();
    bool confirmed = false;
    {
        // Whatever the dialog does, the hotkey comes back.
        struct TReRegister {
            TMainForm& form;
            ~TReRegister() { form.RegisterHotkey(); }
        } reRegister{*this};
        confirmed = context_.Dialogs && context_.Dialogs->ShowSettings(Handle(), page);
        if (confirmed) {
            ApplySettings(false);
            // The catalogue may have changed under the selected collection: whether it has
            // anything to search is decided anew.
            CbxCollectionsChange();
        } else if (!catalogueWasRead && context_.SettingsService->CatalogueRead()) {
            // Read at last when the dialog opened: the collections box shows it even after Cancel.
            FillCollections();
            CbxCollectionsChange();
        }
    }
    HWND search = Control(IDC_SEARCH);
    if (IsWindowEnabled(search))
        SetFocus(search);
}

void TMainForm::DoAbout() {
    if (context_.Dialogs)
        context_.Dialogs->ShowAbout(Handle());
    FocusSearchOrCollections();
}

void TMainForm::DoAdvertise() {
    context_.OpenWebPage(Handle(), kMakerHomePage);
}

void TMainForm::StoreUIState() {
    // Without its catalogue the box is empty, which says nothing of the user's choice.
    if (context_.SettingsService->CatalogueRead())
        context_.Settings->Collection = SelectedCollectionName();
    context_.Settings->Search = mru_.Text();
    mru_.SaveMRU(*context_.Registry, RootKey::CurrentUser, kSearchHistoryKeyPath, kSearchHistoryValueName);
}

void TMainForm::ClearSearchHistory() {
    mru_.SetText(u"");
    mru_.ClearMRU();
    mru_.SaveMRU(*context_.Registry, RootKey::CurrentUser, kSearchHistoryKeyPath, kSearchHistoryValueName);
}

void TMainForm::CloseWith(TCloseRequest request) {
    close_.Request(request);
    SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TMainForm::HandleClose() {
    TCloseSettings settings;
    settings.MinimizeOnClose = context_.Settings->MinimizeOnClose;
    settings.SliderEnabled = context_.Autorun->IsAutorunSlider();
    settings.ActivatedOnce = activatedOnce_;
    const TCloseDecision decision = close_.Close(settings);
    switch (decision.Action) {
    case TCloseAction::Destroy:
        if (decision.SaveState) {
            StoreUIState();
            if (layout_)
                context_.PersistentUI->SaveForm(*layout_);
            context_.SettingsService->SaveSettings(false);
            context_.OwnerStack->Pop(ToHandle(Handle()));
        }
        if (layout_) {
            context_.PersistentUI->UnregisterForm(*layout_);
            layout_.reset();
        }
        DestroyWindow(Handle());
        break;
    case TCloseAction::Minimize:
        ShowWindow(Handle(), SW_MINIMIZE);
        break;
    case TCloseAction::Hide:
        SetTrayIconVisible(false);
        HideApplication();
        break;
    case TCloseAction::Keep:
        break;
    }
}

void TMainForm::HandleActivate() {
    if (activatedOnce_)
        return;
    activatedOnce_ = true;
    context_.OwnerStack->Push(ToHandle(Handle()));
    CbxCollectionsChange();
}

void TMainForm::ShowApplication() {
    tray_.ShowApplication();
}

void TMainForm::HideApplication() {
    tray_.HideApplication();
}

void TMainForm::SetTrayIconVisible(bool visible) {
    tray_.SetVisible(visible);
}

} // namespace tsy::win32
