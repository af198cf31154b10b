#include <windows.h>

#include <commctrl.h>

#include "browsers/Browser.h"
#include "browsers/BrowserDetection.h"
#include "dialogs.h"
#include "settings/Autorun.h"
#include "settings/Settings.h"
#include "support/MessageBoxes.h"
#include "ui/SettingsRules.h"
#include "ui/win32/FrmSettings.h"
#include "ui/win32/SettingsPages.h"

namespace tsy::win32 {

namespace {

struct TOption {
    int Id;
    bool TAppSettings::*Field;
};

constexpr TOption kOptions[] = {
    {IDC_AUTO_COMPLETE, &TAppSettings::AutoComplete},
    {IDC_AUTO_CLOSE, &TAppSettings::AutoClose},
    {IDC_ALWAYS_ON_TOP, &TAppSettings::AlwaysOnTop},
    {IDC_NUMBER_OF_ITEMS, &TAppSettings::NumberOfItems},
    {IDC_MINIMIZE_TO_TRAY, &TAppSettings::MinimizeToTray},
    {IDC_MINIMIZE_ON_CLOSE, &TAppSettings::MinimizeOnClose},
    {IDC_USE_HOTKEY, &TAppSettings::UseHotkey},
};

// The name with the version; a browser registered without its executable's path has no
// version to show, and must not keep the dialog from opening.
std::string ListedBrowserName(IBrowserInfo& browsers, TBrowserKind kind) {
    try {
        return browsers.BrowserDisplayName(kind);
    } catch (const EBrowserError&) {
        return BrowserName(kind);
    }
}

} // namespace

TAdvancedPage::TAdvancedPage(TSettingsForm& form) : TSettingsPage(form, IDD_SET_ADVANCED) {}

void TAdvancedPage::HandleInit() {
    const TSettingsContext& context = form_.Context();
    const TAppSettings& settings = context.Settings;
    for (const auto& option : kOptions)
        SetChecked(option.Id, settings.*option.Field);
    SetChecked(IDC_AUTORUN, context.Autorun.IsAutorunMinimized());
    // The one thing a portable copy writes to the computer it runs on.
    if (context.Portable)
        SetItemText(IDC_AUTORUN, ItemText(IDC_AUTORUN) + " (written to this computer's start-up list)");
    SetChecked(IDC_USE_SLIDER, context.Autorun.IsAutorunSlider());
    hotKey_.Attach(Item(IDC_HOTKEY));
    hotKey_.SetHotKeyKey(std::uint32_t(settings.HotkeyKey));
    hotKey_.SetHotKeyModifiers(std::uint32_t(settings.HotkeyMod));
    SetHint(IDC_HOTKEY_HINT);
    hotKey_.SetOnChange([this] { ShowHotkeyHint(); });
    UseHotkeyClick();

    browsers_.Attach(Item(IDC_PREFERRED_BROWSER));
    // The system's own choice comes last, whatever is installed.
    for (TBrowserKind kind : {bkInternetExplorer, bkFirefox, bkChrome, bkEdge, bkDefaultBrowser})
        if (context.Browsers.IsBrowserInstalled(kind)) {
            const int entry = browsers_.Add(ListedBrowserName(context.Browsers, kind), LPARAM(kind));
            if (kind == settings.Browser)
                browsers_.SetItemIndex(entry);
        }
    SetHelpKeyword(kAdvancedHelpKeyword);
    OnCommand(IDC_USE_HOTKEY, [this] { UseHotkeyClick(); });
    OnCommand(IDC_CLEAR_HISTORY, [this] { ClearHistory(); });
    OnCommand(IDC_CHECK_NOW, [this] {
        if (form_.Context().CheckForUpdates)
            form_.Context().CheckForUpdates(Root());
    });
}

void TAdvancedPage::UseHotkeyClick() {
    const bool on = IsChecked(IDC_USE_HOTKEY);
    EnableItem(IDC_HOTKEY, on);
    ShowHotkeyHint();
    if (on && IsWindowVisible(Root()))
        SetFocus(hotKey_.Handle());
}

void TAdvancedPage::ShowHotkeyHint() {
    // The main window's own registration is released while the dialog is open, so a combination
    // that cannot be registered here is held by another program. A half-typed one (no main key
    // yet) says nothing.
    const bool taken = IsChecked(IDC_USE_HOTKEY) && hotKey_.HotKeyKey() != 0 &&
                       !HotKeyAvailable(Root(), hotKey_.HotKeyModifiers(), hotKey_.HotKeyKey());
    ShowItem(IDC_HOTKEY_HINT, taken);
}

void TAdvancedPage::ClearHistory() {
    const TSettingsContext& context = form_.Context();
    if (!Confirm(kClearHistoryQuestion))
        return;
    if (context.ClearSearchHistory)
        context.ClearSearchHistory();
    context.Settings.Search.clear();
}

void TAdvancedPage::Store() {
    const TSettingsContext& context = form_.Context();
    TAppSettings& settings = context.Settings;
    for (const auto& option : kOptions)
        settings.*option.Field = IsChecked(option.Id);
    if (const int entry = browsers_.ItemIndex(); entry >= 0)
        settings.Browser = TBrowserKind(browsers_.ItemData(entry));
    settings.HotkeyKey = std::int32_t(hotKey_.HotKeyKey());
    settings.HotkeyMod = std::int32_t(hotKey_.HotKeyModifiers());
    context.Autorun.ApplyChoice(IsChecked(IDC_USE_SLIDER), IsChecked(IDC_AUTORUN));
}

} // namespace tsy::win32
