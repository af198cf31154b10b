#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/CloseLogic.h"
#include "app/CommandLine.h"
#include "app/Explore.h"
#include "app/MainLayout.h"
#include "app/win32/BannerPanel.h"
#include "controls/HotKey.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/MRUEdit.h"
#include "controls/win32/TrayIconEx.h"
#include "settings/win32/Win32PersistentUI.h"
#include "support/WebAddresses.h"
#include "support/win32/Dialog.h"
#include "support/win32/UniqueHandle.h"
#include "support/win32/Window.h"
#include "ui/win32/AppServices.h"

namespace tsy {
class IClock;
} // namespace tsy

namespace tsy::win32 {

class THtmlHelp;

inline constexpr const char* kMainFormClassName = "TMainForm";
inline constexpr const char* kApplicationTitle = "Tessaly";
// Which tab the settings dialog opens on: the one its own rule chooses, the first, the options.
inline constexpr int kSettingsRuleDecides = -1;
inline constexpr int kSettingsFirstPage = 0;
inline constexpr int kSettingsOptionsPage = 4;

// The dialogs the main window opens, built elsewhere.
class IMainFormDialogs {
public:
    virtual ~IMainFormDialogs() = default;
    // Modal settings dialog on the given tab (kSettingsRuleDecides: the one it was closed on),
    // owned by the main window; true when closed with OK. The dialog may clear the window's
    // search history.
    virtual bool ShowSettings(HWND mainWindow, int startPage, std::function<void()> clearSearchHistory) = 0;
    virtual void ShowAbout(HWND owner) = 0;
};

// Everything the main window works with; all of it outlives the window.
struct TMainFormContext {
    const TAppServices& Services;
    TCommandLineSwitches Switches;
    UINT SwitchToWindowMessage;
    const IClock& Clock;
    const THtmlHelp& Help;
    IMainFormDialogs& Dialogs;
    TExplorer& Explorer;
    // The tray icon's shell call; unset, Shell_NotifyIconA.
    TTrayIconEx::TNotify TrayNotify = {};
    // Creates the slider window when asked for and none exists, frees it otherwise; unset where
    // no slider can be made (tests of the main window alone).
    std::function<void(bool enabled)> ApplySlider = {};
    // Opens a web page with the shell; unset, ShellExecuteA "open", maximised.
    std::function<void(HWND owner, const char* url)> OpenWebPage = {};
};

// The main window's default for opening a web page: ShellExecuteA "open", maximised.
void OpenWebPageWithShell(HWND owner, const char* url);

class TMainForm : public TWindow, private IExploreView {
public:
    explicit TMainForm(TMainFormContext context);
    ~TMainForm() override;

    // FormCreate: creates the window and its controls, loads the settings and the
    // catalogue and applies them; shows the window unless a switch says otherwise.
    void Create();

    HWND Control(int id) const noexcept { return GetDlgItem(Handle(), id); }
    bool ActivatedOnce() const noexcept { return activatedOnce_; }
    bool ApplicationShown() const noexcept { return tray_.ApplicationShown(); }
    const TTrayIconEx& TrayIcon() const noexcept { return tray_; }
    const TSearchHistory& History() const noexcept { return mru_.History(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The handlers of the controls, the tray and the close paths.
    void ApplySettings(bool startedForSlider);
    void FillCollections();
    void BtnExploreClick();
    void CbxCollectionsChange();
    // The settings dialog on the tab that holds the hotkey editor (a click on the hotkey's notice).
    void CustomizeHotkey();
    void DoAbout();
    void StoreUIState();
    // Empties the search box and its history, and stores the empty history at once.
    void ClearSearchHistory();
    void CloseWith(TCloseRequest request);

    // What Explore reads from the window.
    std::optional<std::string> SelectedCollectionEntry() const override;
    std::u16string SearchBoxText() const override;
    bool SearchBoxEnabled() const override;
    bool CtrlHeld() const override;
    bool AltHeld() const override;
    void AddSearchToHistory() override;
    void CloseWindow() override;

    // What the window shows, and what comes with it: the slider, the tray icon, the hotkey.
    void ApplyToWindow();
    void ApplyToCompanions(bool startedForSlider);
    // Once, after the window first shows (or when a second start asks for it sooner).
    void FinishStart();
    void CreateControls();
    // Sizes, fonts and icons for the window's DPI.
    void ScaleTo(int dpi);
    void SetWindowIcons();
    void HandleDpiChanged(int dpi, const RECT* suggested);
    void LayOut(int clientWidth);
    void RegisterHotkey();
    void UnregisterHotkey();
    void ReportTakenHotkey(std::uint32_t modifiers, std::uint32_t key);
    void OpenSettings(int forcedPage);
    void HandleCommand(int id, int code, HWND control);
    void HandleClose();
    void HandleActivate();
    void CreateTrayIcon();
    void ShowTrayMenu(POINT at);
    void FocusSearchOrCollections();
    void RestoreFocus();
    std::string SelectedCollectionText() const;
    std::string SelectedCollectionName() const;

    TMainFormContext context_;
    const TAppServices& services_;
    int dpi_ = kDesignDpi;
    UniqueGdiObject font_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    std::unique_ptr<TBannerPanel> banner_;
    TMainFormLayout created_;
    int createdClientWidth_ = 0;
    SIZE fixedSize_{};
    TLayoutMetrics metrics_;
    TCloseController close_;
    bool activatedOnce_ = false;
    bool startPending_ = false;
    TTrayIconEx tray_;
    UniqueMenu trayMenu_;
    std::optional<std::int64_t> lastSettingsOpening_;
    THotKeyNotices hotKeyNotices_;
    TMRUEdit mru_;
    TComboBox collections_;
    std::unique_ptr<TWin32PUIWindow> layout_;
    // The control that had the focus when the window was last deactivated.
    HWND lastFocus_ = nullptr;
};

} // namespace tsy::win32
