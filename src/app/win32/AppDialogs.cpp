#include "app/win32/AppDialogs.h"

#include "browsers/SearchEngines.h"
#include "ui/win32/FrmAbout.h"
#include "ui/win32/FrmAddSiteWizard.h"
#include "ui/win32/FrmAutoUpdate.h"
#include "update/win32/UpdateCheck.h"

namespace tsy::win32 {

TAppDialogs::TAppDialogs(const TAppServices& services, const TVersionInfo& version, TComOnDemand& com)
    : context_(services.SettingsContext()), version_(version), pages_(&com) {
    context_.Editor.ListOpenPages = [this] {
        TPageInfos pages;
        ListOpenPages(pages_.System(),
                      TBrowserSet((1 << bkInternetExplorer) | (1 << bkFirefox) | (1 << bkOpera) |
                                  (1 << bkChrome) | (1 << bkEdge)),
                      pages);
        return pages;
    };
    context_.FindSearchEngines = [this] {
        return tsy::FindSearchEngines(pages_.System(), context_.Browsers.DetectInstalledBrowsers());
    };
    context_.RunWizard = [this](HWND owner) { return RunAddSiteWizard(context_.Editor, owner); };
}

bool TAppDialogs::ShowSettings(HWND mainWindow, int startPage, std::function<void()> clearSearchHistory) {
    TSettingsContext context = context_;
    context.ClearSearchHistory = std::move(clearSearchHistory);
    context.CheckForUpdates = [this, mainWindow](HWND callingForm) {
        TUpdateCheckStart start;
        start.Instance = context_.Editor.Dialogs.Instance;
        start.CallingForm = callingForm;
        start.MainWindow = mainWindow;
        start.Running = version_.File;
        start.Options = &context_.Options;
        start.ShowDialog = [](const TDialogEnvironment& dialogs, HWND owner,
                              const TKVUpdateServices& service) {
            ShowUpdateDialog(dialogs, owner, service);
        };
        // The thread goes on by itself; its handle is not needed.
        StartUpdateCheck(std::move(start));
    };
    return ShowSettingsDialog(context, mainWindow, startPage);
}

void TAppDialogs::ShowAbout(HWND owner) {
    win32::ShowAbout(context_.Editor.Dialogs, owner, version_);
}

} // namespace tsy::win32
