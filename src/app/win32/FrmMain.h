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

namespace tsy {
class TSettingsService;
class TPersistentUI;
class TAutorun;
class TOwnerStack;
class TCollections;
class TTargets;
class ICollation;
class IWideCollation;
class ICodePage;
class IClock;
class IKeyValueStore;
class IMessageBoxes;
struct TAppSettings;
} // namespace tsy

namespace tsy::win32 {

class THtmlHelp;

inline constexpr const char* kMainFormClassName = "TMainForm";
inline constexpr const char* kApplicationTitle = "Tessaly";
// Which tab the settings dialog opens on: the one its own rule chooses, the first, the options.
inline constexpr int kSettingsRuleDecides = -1;
inline constexpr int kSettingsFirstPage = 0;
inline constexpr int kSettingsOptionsPage = 4;

// The dialogs the main window opens. They are built elsewhere; until then the
// window runs every step around them.
class IMainFormDialogs {
public:
    virtual ~IMainFormDialogs() = default;
    // Modal settings dialog on the given tab (kSettingsRuleDecides: the one it was closed on);
    // true when closed with OK.
    virtual bool ShowSettings(HWND owner, int startPage) = 0;
    virtual void ShowAbout(HWND owner) = 0;
};

// Everything the main window works with; all of it outlives the window.
struct TMainFormContext {
    HINSTANCE Instance = nullptr;
    TCommandLineSwitches Switches;
    UINT SwitchToWindowMessage = 0;
    TAppSettings* Settings = nullptr;
    TSettingsService* SettingsService = nullptr;
    TAutorun* Autorun = nullptr;
    TOwnerStack* OwnerStack = nullptr;
    TTargets* Targets = nullptr;
    TCollections* Collections = nullptr;
    const ICollation* Collation = nullptr;
    // The search box's: its history's comparison and the code page of older stored histories.
    const IWideCollation* WideCollation = nullptr;
    const ICodePage* CodePage = nullptr;
    const IClock* Clock = nullptr;
    IKeyValueStore* Registry = nullptr;
    const THtmlHelp* Help = nullptr;
    IMainFormDialogs* Dialogs = nullptr;
    // Where the main window's own notices go (a taken hotkey without a tray icon).
    IMessageBoxes* Boxes = nullptr;
    // The tray icon's shell call; unset, Shell_NotifyIconA.
    TTrayIconEx::TNotify TrayNotify;
    TExplorer* Explorer = nullptr;
    TPersistentUI* PersistentUI = nullptr;
    // Creates the slider window when asked for and none exists, frees it otherwise.
    std::function<void(bool enabled)> ApplySlider;
    // Opens a web page with the shell; the default is ShellExecuteA "open", maximised.
    std::function<void(HWND owner, const char* url)> OpenWebPage;
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

    // Handlers, public so that tests can drive them like the user does.
    void ApplySettings(bool startedForSlider);
    void FillCollections();
    void BtnExploreClick();
    void CbxCollectionsChange();
    void DoCustomize();
    // The settings dialog on the tab that holds the hotkey editor (a click on the hotkey's notice).
    void CustomizeHotkey();
    void DoAbout();
    void DoAdvertise();
    void StoreUIState();
    // Empties the search box and its history, and stores the empty history at once.
    void ClearSearchHistory();
    void CloseWith(TCloseRequest request);

    HWND Control(int id) const noexcept { return GetDlgItem(Handle(), id); }
    bool ActivatedOnce() const noexcept { return activatedOnce_; }
    bool ApplicationShown() const noexcept { return tray_.ApplicationShown(); }
    const TTrayIconEx& TrayIcon() const noexcept { return tray_; }
    const TSearchHistory& History() const noexcept { return mru_.History(); }

    void ShowApplication();
    void HideApplication();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
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
    void SetTrayIconVisible(bool visible);
    void ShowTrayMenu(POINT at);
    void FocusSearchOrCollections();
    void RestoreFocus();
    std::string SelectedCollectionText() const;
    std::string SelectedCollectionName() const;

    TMainFormContext context_;
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
