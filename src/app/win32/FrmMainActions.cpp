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
    context_.Explorer.btnExploreClick(*this);
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

void TMainForm::CustomizeHotkey() {
    // Another dialog is open: the click waits for the user to finish there.
    if (!IsWindowEnabled(Handle()))
        return;
    tray_.ShowApplication();
    OpenSettings(kSettingsOptionsPage);
}

void TMainForm::OpenSettings(int forcedPage) {
    UnregisterHotkey();
    const std::int64_t now = context_.Clock.NowSeconds();
    int page =
        SettingsStartOnFirstPage(lastSettingsOpening_, now) ? kSettingsFirstPage : kSettingsRuleDecides;
    if (forcedPage != kSettingsRuleDecides)
        page = forcedPage;
    lastSettingsOpening_ = now;
    StoreUIState();
    const bool catalogueWasRead = services_.Service.CatalogueRead();
    bool confirmed = false;
    {
        // Whatever the dialog does, the hotkey comes back.
        struct TReRegister {
            TMainForm& form;
            ~TReRegister() { form.RegisterHotkey(); }
        } reRegister{*this};
        confirmed = context_.Dialogs.ShowSettings(Handle(), page, [this] { ClearSearchHistory(); });
        if (confirmed) {
            ApplySettings(false);
            // The catalogue may have changed under the selected collection: whether it has
            // anything to search is decided anew.
            CbxCollectionsChange();
        } else if (!catalogueWasRead && services_.Service.CatalogueRead()) {
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
    context_.Dialogs.ShowAbout(Handle());
    FocusSearchOrCollections();
}

void TMainForm::StoreUIState() {
    // Without its catalogue the box is empty, which says nothing of the user's choice.
    if (services_.Service.CatalogueRead())
        services_.Settings.Collection = SelectedCollectionName();
    services_.Settings.Search = mru_.Text();
    mru_.SaveMRU(services_.Options, RootKey::CurrentUser, kSearchHistoryKeyPath, kSearchHistoryValueName);
}

void TMainForm::ClearSearchHistory() {
    mru_.SetText(u"");
    mru_.ClearMRU();
    mru_.SaveMRU(services_.Options, RootKey::CurrentUser, kSearchHistoryKeyPath, kSearchHistoryValueName);
}

void TMainForm::CloseWith(TCloseRequest request) {
    close_.Request(request);
    SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TMainForm::HandleClose() {
    TCloseSettings settings;
    settings.MinimizeOnClose = services_.Settings.MinimizeOnClose;
    settings.SliderEnabled = services_.Autorun.IsAutorunSlider();
    settings.ActivatedOnce = activatedOnce_;
    const TCloseDecision decision = close_.Close(settings);
    switch (decision.Action) {
    case TCloseAction::Destroy:
        if (decision.SaveState) {
            StoreUIState();
            if (layout_)
                services_.Layouts.SaveForm(*layout_);
            services_.Service.SaveSettings(false);
            services_.Owners.Pop(ToHandle(Handle()));
        }
        if (layout_) {
            services_.Layouts.UnregisterForm(*layout_);
            layout_.reset();
        }
        DestroyWindow(Handle());
        break;
    case TCloseAction::Minimize:
        ShowWindow(Handle(), SW_MINIMIZE);
        break;
    case TCloseAction::Hide:
        tray_.SetVisible(false);
        tray_.HideApplication();
        break;
    case TCloseAction::Keep:
        break;
    }
}

void TMainForm::HandleActivate() {
    if (activatedOnce_)
        return;
    activatedOnce_ = true;
    services_.Owners.Push(ToHandle(Handle()));
    CbxCollectionsChange();
}

} // namespace tsy::win32
