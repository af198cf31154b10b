#include "settings/SettingsService.h"

#include "support/Format.h"

namespace tsy {

void TSettingsService::LoadSettings(bool loadCatalogue, bool quiet) {
    bool browserMissing = true;
    {
        TSettings store(store_);
        if (store.OpenForRead(kSettingsRoot, kSettingsPath)) {
            browserMissing = !store.ValueExists("Browser");
            ReadSettings(store, settings_);
        }
    }
    if (browserMissing && !quiet)
        ShowBrowserAdvice();
    if (loadCatalogue)
        catalogue_.Load();
    catalogue_.CheckIntegrity();
}

void TSettingsService::SaveSettings(bool saveCatalogue) {
    {
        TSettings store(store_);
        if (store.OpenForWrite(kSettingsRoot, kSettingsPath))
            WriteSettings(store, settings_);
    }
    if (saveCatalogue)
        catalogue_.Save();
}

std::string TSettingsService::BrowserAdvice() {
    TBrowserSet installed = browsers_.DetectInstalledBrowsers();
    const TBrowserKind browser = settings_.Browser;
    std::string advice;
    if (browser == bkInternetExplorer && MajorVersion(browsers_.GetBrowserVersion(browser)) <= 6)
        advice = kAdviceTabbedBrowser;
    if (InBrowserSet(installed, browser)) {
        installed = static_cast<TBrowserSet>(installed & ~(1u << browser));
        if (installed != 0)
            advice += kAdviceMultipleBrowsers;
    } else {
        advice += kAdviceDetectionProblem;
    }
    return advice;
}

void TSettingsService::ShowBrowserAdvice() {
    std::string advice = BrowserAdvice();
    if (advice.empty())
        return;
    boxes_.Information(Format(kBrowserNotice, browsers_.BrowserDisplayName(settings_.Browser).c_str()) +
                       advice);
}

} // namespace tsy
