#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "browsers/SearchEngines.h"
#include "ui/SettingsRules.h"

#include "support/KeyValueStore.h"
#include "support/win32/Dialog.h"
#include "support/win32/PageHost.h"
#include "ui/win32/EditorContext.h"

namespace tsy {
struct TAppSettings;
class TSettingsService;
class TAutorun;
class IBrowserInfo;
class IUrlOpener;
} // namespace tsy

namespace tsy::win32 {

class TWin32PUIPageControl;
class TWin32PUIComboBox;
class TWin32PUIListView;
class TSortListView;
class TSettingsPage;
class TAdvancedPage;

inline constexpr const char* kSettingsFormName = "SettingsForm";

// What the settings dialog works on besides the catalogue; all of it outlives the dialog.
struct TSettingsContext {
    TEditorContext Editor;
    TAppSettings& Settings;
    TSettingsService& Service;
    TAutorun& Autorun;
    // The store of the options, for the update check's own thread.
    IKeyValueStore& Options;
    // A portable copy says where "start with Windows" is written.
    bool Portable;
    IBrowserInfo& Browsers;
    IUrlOpener& Opener;
    // The main window's part, given each time the dialog opens: empties its search box and
    // history and stores the empty history.
    std::function<void()> ClearSearchHistory = {};
    // Starts an update check in the background; the dialog is the window that asked.
    std::function<void(HWND callingForm)> CheckForUpdates = {};
    // The add-site wizard; true when it ended with Done. Unset, the wizard's button stays off.
    std::function<bool(HWND owner)> RunWizard = {};
    // The search engines of the installed browsers; unset, none are offered.
    std::function<TSearchEngines()> FindSearchEngines = {};
};

// What the pages share while the dialog is open.
struct TSettingsState : TCatalogueTabState {
    HWND CurrentList = nullptr; // the list view that last had the focus
};

// TSettingsForm, "Customize Tessaly": the catalogue pages and the options.
class TSettingsForm : public TDialog {
public:
    // `startPage` -1: the tab the dialog was last closed on.
    TSettingsForm(const TSettingsContext& context, int startPage);
    ~TSettingsForm() override;

    TSettingsState& State() noexcept { return state_; }
    const TSettingsContext& Context() const noexcept { return context_; }
    bool CatalogueRead() const noexcept { return catalogueRead_; }
    TPageHost& Pages() noexcept { return pages_; }

    // The selection rules; false, after a warning, when the command must not go on.
    bool RequireSingleSelection(const TSortListView& list, const char* noun, const char* verb);
    bool RequireSomeSelection(const TSortListView& list, const char* noun, const char* verb);
    // Opens the site's home page, or its search for the probe word, in the configured browser.
    void PreviewSite(std::int32_t siteId);
    void Remember(TSortListView& list, const char* name);

protected:
    void HandleInit() override;
    void HandleLayoutRestored() override;
    bool CanAccept() override;
    void HandleCancel() override;

private:
    void AddSiteWizardClick();

    const TSettingsContext& context_;
    int startPage_;
    // Taken when the dialog opens: only a catalogue read from its files is shown and saved.
    bool catalogueRead_ = false;
    TSettingsState state_;
    TPageHost pages_;
    std::vector<std::unique_ptr<TSettingsPage>> catalogue_;
    std::unique_ptr<TAdvancedPage> advanced_;
    std::unique_ptr<TWin32PUIPageControl> pageControl_;
    std::unique_ptr<TWin32PUIComboBox> filter_;
    std::vector<std::unique_ptr<TWin32PUIListView>> lists_;
};

// Shows the settings dialog modally, after trying again to read a catalogue that could not be
// read (with a warning when it still cannot); true when it closed with OK.
bool ShowSettingsDialog(const TSettingsContext& context, HWND owner, int startPage);

} // namespace tsy::win32
